// Edit fields: typing, the style's rules, selection in characters, the
// notifications and their order, and the key filter of a derived edit.
#include "test_controls_support.h"
#include "ui/WindowSystem.h"

namespace {

class EditTest : public ControlTest {
  protected:
    CEdit edit;
    void Make(DWORD style = 0) {
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | style, At(0),
                                &parent, 3008));
    }
};

TEST_F(EditTest, TypingSendsUpdateThenChangeForEveryCharacter) {
    Make();
    EXPECT_EQ(edit.TypeText("ab"), 2);
    EXPECT_EQ(edit.GetWindowText(), "ab");
    EXPECT_EQ(notices, (std::vector<Notice>{Command(3008, EN_UPDATE), Command(3008, EN_CHANGE),
                                            Command(3008, EN_UPDATE), Command(3008, EN_CHANGE)}));
    EXPECT_TRUE(edit.HasFocus()) << "a person types into the field that has the focus";

    notices.clear();
    edit.SetWindowText("台積電");
    EXPECT_EQ(notices, std::vector<Notice>{Command(3008, EN_CHANGE)})
        << "text from code: no update notice";
    notices.clear();
    edit.SetWindowText("台積電");
    EXPECT_TRUE(notices.empty()) << "the same text is no change";
    EXPECT_GT(ChangesOf(edit, WindowChange::Text), 0);
}

TEST_F(EditTest, PositionsCountCharactersSoChineseTextEditsWhole) {
    Make();
    edit.SetWindowText("台積電2330");
    edit.SetSel(1, 3);
    EXPECT_EQ(edit.GetSelText(), "積電");
    EXPECT_EQ(edit.TypeText("X"), 1);
    EXPECT_EQ(edit.GetWindowText(), "台X2330");
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 2);

    edit.SetSel(2, 2);
    edit.PressKey(VK_BACK);
    EXPECT_EQ(edit.GetWindowText(), "台2330");
    edit.PressKey(VK_HOME);
    edit.PressKey(VK_DELETE);
    EXPECT_EQ(edit.GetWindowText(), "2330");
    edit.PressKey(VK_END);
    edit.PressKey(VK_LEFT, MK_SHIFT);
    edit.PressKey(VK_LEFT, MK_SHIFT);
    EXPECT_EQ(edit.GetSelText(), "30");
    EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "Shift is let go after the key";

    edit.SetSel(0, -1);
    EXPECT_EQ(edit.GetSelText(), "2330");
    edit.SetSel(-1, 0);
    EXPECT_EQ(edit.GetSelText(), "") << "a start of -1 drops the selection";
}

TEST_F(EditTest, TheStyleDecidesWhatAPersonMayEnter) {
    Make(ES_UPPERCASE);
    edit.TypeText("tsmc台積電");
    EXPECT_EQ(edit.GetWindowText(), "TSMC台積電") << "only ASCII letters change case";

    edit.SetWindowText("");
    edit.SetLimitText(3);
    EXPECT_EQ(edit.TypeText("abcd"), 3);
    EXPECT_EQ(edit.GetWindowText(), "ABC");
    edit.SetWindowText("longer than three");
    EXPECT_EQ(edit.GetWindowText(), "longer than three") << "code is not held to the limit";

    edit.SetWindowText("");
    EXPECT_TRUE(edit.Paste("台積電\r\nsecond line"));
    EXPECT_EQ(edit.GetWindowText(), "台積電")
        << "a single-line field takes the first line, up to the limit";

    edit.SetReadOnly(true);
    notices.clear();
    EXPECT_EQ(edit.TypeText("x"), 0);
    EXPECT_FALSE(edit.Paste("y"));
    edit.PressKey(VK_BACK);
    EXPECT_EQ(edit.GetWindowText(), "台積電");
    EXPECT_TRUE(notices.empty());
    edit.ReplaceSel("!");
    EXPECT_EQ(edit.GetWindowText(), "台積電!") << "code may still change a read-only field";
}

TEST_F(EditTest, MultiLineFieldsTakeEnterAsANewLine) {
    Make(ES_MULTILINE | ES_WANTRETURN);
    edit.TypeText("a\rb");
    EXPECT_EQ(edit.GetWindowText(), "a\r\nb");
    EXPECT_EQ(edit.GetLineCount(), 2);
}

// The keyword field of the news view refuses blanks and Shift+Insert.
class KeywordEdit : public CEdit {
  public:
    int refusedBlanks = 0;
    int refusedPastes = 0;

  protected:
    bool PreTranslateKey(UINT message, UINT key) override {
        if (message == WM_CHAR && key == ' ') {
            ++refusedBlanks;
            return true;
        }
        if (message == WM_KEYDOWN && key == VK_INSERT && GetKeyState(VK_SHIFT) < 0) {
            ++refusedPastes;
            return true;
        }
        return false;
    }
};

class SpaceKeyEdit : public CEdit {
  protected:
    bool PreTranslateKey(UINT message, UINT key) override {
        return message == WM_KEYDOWN && key == VK_SPACE;
    }
};

TEST_F(EditTest, AKeyFilterSwallowsTypedBlanksShiftInsertAndKeysDown) {
    KeywordEdit keyword;
    ASSERT_TRUE(keyword.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, At(0), &parent, 3008));
    EXPECT_EQ(keyword.TypeText("台 積"), 2);
    EXPECT_EQ(keyword.GetWindowText(), "台積");
    EXPECT_EQ(keyword.refusedBlanks, 1);
    EXPECT_EQ(notices.size(), 4u) << "a swallowed blank sends nothing";

    EXPECT_FALSE(keyword.PressKey(VK_INSERT, MK_SHIFT))
        << "swallowed: the front end must not paste";
    EXPECT_EQ(keyword.refusedPastes, 1);
    EXPECT_TRUE(keyword.PressKey(VK_INSERT)) << "Insert alone passes";
    EXPECT_TRUE(keyword.PressKey(VK_INSERT, MK_CONTROL));
    EXPECT_EQ(keyword.refusedPastes, 1);
    EXPECT_FALSE(keyword.PressKey(VK_SPACE))
        << "the blank of the space bar is swallowed as a character";
    EXPECT_EQ(keyword.GetWindowText(), "台積");

    // A swallowed key-down produces no character.
    SpaceKeyEdit spaceless;
    ASSERT_TRUE(spaceless.Create(WS_CHILD | WS_VISIBLE, At(0), &parent, 5));
    spaceless.TypeText("a b");
    EXPECT_EQ(spaceless.GetWindowText(), "ab");
}

TEST_F(EditTest, EnterGoesToTheHandlerTheOwnerSet) {
    Make();
    int enters = 0;
    edit.SetEnterHandler([&] { ++enters; });
    edit.TypeText("2330");
    EXPECT_TRUE(edit.PressKey(VK_RETURN));
    edit.TypeText("\r");
    EXPECT_EQ(enters, 2);
    EXPECT_EQ(edit.GetWindowText(), "2330") << "Enter enters nothing in a single-line field";
}

TEST_F(EditTest, AnUpdateHandlerMayPutTheTextBackWithoutLoopingForever) {
    Make();
    int updates = 0;
    onNotice = [&](const Notice& notice) {
        if (notice != Command(3008, EN_UPDATE))
            return;
        ++updates;
        CString text = edit.GetWindowText();
        if (text.Find(' ') < 0)
            return;
        text.Remove(text[text.GetLength() - 1]);
        edit.SetWindowText(text);
    };
    edit.TypeText("ab ");
    EXPECT_EQ(edit.GetWindowText(), "ab");
    EXPECT_EQ(updates, 3);
}

TEST_F(EditTest, EditMessagesDoWhatTheMemberFunctionsDo) {
    Make();
    edit.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("台積電2330"));
    EXPECT_EQ(edit.GetWindowText(), "台積電2330");
    edit.SendMessage(EM_SETSEL, 3, 7);
    int start = 0;
    int end = 0;
    const LRESULT packed = edit.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                            reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 7);
    EXPECT_EQ(packed, MAKELPARAM(3, 7));
    edit.SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("2317"));
    EXPECT_EQ(edit.GetWindowText(), "台積電2317");
    edit.SendMessage(EM_LIMITTEXT, 8);
    EXPECT_EQ(edit.GetLimitText(), 8u);
    edit.SendMessage(EM_SETREADONLY, 1);
    EXPECT_TRUE(edit.IsReadOnly());
    CString text;
    EXPECT_EQ(edit.SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&text)),
              edit.GetWindowTextLength());
    EXPECT_EQ(text, "台積電2317");
    CFont font;
    edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&font), 1);
    EXPECT_EQ(edit.GetFont(), &font);
}

}  // namespace
