// Dialogs built from a control table: members bound by DDX_Control, the
// other controls made by the dialog, data exchange both ways, the keyboard,
// and modal runs answered by the scripted person.
#include "test_controls_support.h"

namespace {

constexpr UINT kSearchDialog = 9207;

DialogTemplate SearchTemplate() {
    const DWORD shown = WS_VISIBLE | WS_TABSTOP;
    DialogTemplate t;
    t.id = kSearchDialog;
    t.caption = "詳細搜尋設定";
    t.size = CSize(382, 241);
    t.controls = {
        {ControlType::GroupBox, 2027, "條件設定", CRect(5, 5, 180, 230), WS_VISIBLE},
        {ControlType::Edit, 3008, "", CRect(10, 20, 100, 40)},
        {ControlType::PushButton, 3007, "輸入", CRect(105, 20, 150, 40)},
        {ControlType::ListBox, 2007, "", CRect(10, 45, 150, 150), shown | LBS_SORT},
        {ControlType::RadioButton, 2014, "標題搜尋", CRect(10, 160, 150, 175), shown | WS_GROUP},
        {ControlType::RadioButton, 2015, "內文搜尋", CRect(10, 180, 150, 195)},
        {ControlType::RadioButton, 2016, "標題內文搜尋", CRect(10, 200, 150, 215)},
        {ControlType::DefPushButton, IDOK, "搜尋", CRect(300, 210, 370, 230), shown | WS_GROUP},
        {ControlType::PushButton, IDCANCEL, "取消", CRect(220, 210, 290, 230)},
        {ControlType::RadioButton, 2017, "交集", CRect(190, 20, 250, 35), shown | WS_GROUP},
        {ControlType::RadioButton, 2009, "聯集", CRect(260, 20, 320, 35)},
        {ControlType::ComboBox, 1356, "", CRect(190, 40, 370, 140), shown | WS_GROUP},
        {ControlType::CheckBox, 2060, "保留", CRect(190, 60, 370, 75)},
        {ControlType::DateTime, 3009, "", CRect(190, 80, 370, 100)},
        {ControlType::ListView, 2029, "List1", CRect(190, 105, 370, 200)},
        {ControlType::Static, 2041, "", CRect(190, 202, 290, 208), WS_VISIBLE},
        {ControlType::RichEdit, 8071, "", CRect(0, 0, 10, 10), WS_VISIBLE | ES_READONLY},
    };
    return t;
}

class SearchDialog : public CDialog {
  public:
    explicit SearchDialog(CWnd* owner) : CDialog(kSearchDialog, owner) {}

    CListCtrl m_lcItem;
    CListBox m_lbKeyword;
    CButton m_btnInput;
    CString m_strInput;
    int m_iMethod = 1;
    int m_iScope = 2;
    int m_iMarket = 1;
    int m_iKeep = BST_CHECKED;
    int m_iKeyword = -1;
    CString m_strMarket = "上櫃";
    COleDateTime m_date{2024, 3, 15, 0, 0, 0};
    int initialisations = 0;

    CComboBox* Markets() { return dynamic_cast<CComboBox*>(GetDlgItem(1356)); }

  protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, 2029, m_lcItem);
        DDX_Control(pDX, 2007, m_lbKeyword);
        DDX_Control(pDX, 3007, m_btnInput);
        DDX_Text(pDX, 3008, m_strInput);
        DDX_Radio(pDX, 2017, m_iMethod);
        DDX_Radio(pDX, 2014, m_iScope);
        DDX_CBIndex(pDX, 1356, m_iMarket);
        DDX_CBString(pDX, 1356, m_strMarket);
        DDX_Check(pDX, 2060, m_iKeep);
        DDX_LBIndex(pDX, 2007, m_iKeyword);
        DDX_DateTimeCtrl(pDX, 3009, m_date);
    }

    bool OnInitDialog() override {
        ++initialisations;
        m_lcItem.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
        m_lcItem.InsertColumn(0, "範圍", LVCFMT_LEFT, 72);
        m_lcItem.InsertItem(0, "標題搜尋");
        for (const char* keyword : {"鴻海", "台積電", "apple"})
            m_lbKeyword.AddString(keyword);
        for (const char* market : {"上市", "上櫃", "興櫃"})
            Markets()->AddString(market);
        return CDialog::OnInitDialog();
    }
};

class DialogTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        DialogTemplates::Register(SearchTemplate());
    }
    template <typename T>
    static T* Item(CDialog& dialog, int id) {
        return dynamic_cast<T*>(dialog.GetDlgItem(id));
    }
};

TEST_F(DialogTest, MembersAreBoundAndTheDialogMakesEveryOtherControl) {
    SearchDialog dialog(&parent);
    ASSERT_TRUE(dialog.Create(kSearchDialog, &parent));
    EXPECT_EQ(dialog.GetWindowText(), "詳細搜尋設定");
    EXPECT_EQ(dialog.GetDlgItem(2029), &dialog.m_lcItem);
    EXPECT_EQ(dialog.GetDlgItem(2007), &dialog.m_lbKeyword);
    EXPECT_TRUE(dialog.m_lcItem.IsWindow());
    EXPECT_EQ(dialog.m_lcItem.GetParent(), &dialog);
    EXPECT_EQ(dialog.initialisations, 1);

    const std::vector<std::pair<int, WindowKind>> kinds = {
        {2027, WindowKind::Button},   {3008, WindowKind::Edit},     {2014, WindowKind::Button},
        {1356, WindowKind::ComboBox}, {2060, WindowKind::Button},   {3009, WindowKind::DateTime},
        {2041, WindowKind::Static},   {8071, WindowKind::RichEdit}, {2029, WindowKind::ListView}};
    for (const auto& [id, kind] : kinds) {
        ASSERT_NE(dialog.GetDlgItem(id), nullptr) << id;
        EXPECT_EQ(dialog.GetDlgItem(id)->GetKind(), kind) << id;
    }
    EXPECT_TRUE(Item<CButton>(dialog, 2027)->IsGroupBox());
    EXPECT_TRUE(Item<CButton>(dialog, 2060)->IsCheckBox());
    EXPECT_TRUE(Item<CButton>(dialog, 2015)->IsRadioButton());
    EXPECT_TRUE(Item<CButton>(dialog, IDOK)->IsDefaultButton());
    EXPECT_FALSE(dialog.Markets()->HasEdit()) << "a combo box without a kind is a drop-down list";
    EXPECT_TRUE(dialog.m_lcItem.GetStyle() & LVS_REPORT);
    EXPECT_EQ(dialog.GetDefID(), IDOK);

    for (const ControlType type :
         {ControlType::PushButton, ControlType::Static, ControlType::Edit, ControlType::ComboBox,
          ControlType::ListBox, ControlType::ListView, ControlType::DateTime,
          ControlType::RichEdit}) {
        EXPECT_NE(MakeDialogControl(DialogControl{type, 1, "", CRect()})->GetKind(),
                  WindowKind::Window);
    }
}

TEST_F(DialogTest, UpdateDataMovesValuesToTheControlsAndBack) {
    SearchDialog dialog(&parent);
    dialog.m_strInput = "tsmc";
    ASSERT_TRUE(dialog.Create(kSearchDialog, &parent));
    dialog.ShowWindow(SW_SHOW);

    // Loaded at initialisation.
    EXPECT_EQ(dialog.GetDlgItem(3008)->GetWindowText(), "tsmc");
    EXPECT_EQ(Item<CButton>(dialog, 2009)->GetCheck(), BST_CHECKED);
    EXPECT_EQ(Item<CButton>(dialog, 2017)->GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Item<CButton>(dialog, 2016)->GetCheck(), BST_CHECKED);
    EXPECT_EQ(dialog.Markets()->GetCurSel(), 1);
    EXPECT_EQ(Item<CButton>(dialog, 2060)->GetCheck(), BST_CHECKED);
    COleDateTime shown;
    Item<CDateTimeCtrl>(dialog, 3009)->GetTime(shown);
    EXPECT_EQ(shown, COleDateTime(2024, 3, 15, 0, 0, 0));

    // A person changes the controls.
    Item<CEdit>(dialog, 3008)->SetWindowText("");
    Item<CEdit>(dialog, 3008)->TypeText("聯發科");
    Item<CButton>(dialog, 2017)->Click();
    Item<CButton>(dialog, 2015)->Click();
    dialog.Markets()->UserSelect(2);
    Item<CButton>(dialog, 2060)->Click();
    dialog.m_lbKeyword.Click(1);
    Item<CDateTimeCtrl>(dialog, 3009)->Pick(COleDateTime(2024, 3, 12, 0, 0, 0));

    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.m_strInput, "聯發科");
    EXPECT_EQ(dialog.m_iMethod, 0);
    EXPECT_EQ(dialog.m_iScope, 1);
    EXPECT_EQ(dialog.m_iMarket, 2);
    EXPECT_EQ(dialog.m_strMarket, "興櫃");
    EXPECT_EQ(dialog.m_iKeep, BST_UNCHECKED);
    EXPECT_EQ(dialog.m_lbKeyword.GetText(dialog.m_iKeyword), "台積電")
        << "sorted: apple, 台積電, 鴻海";
    EXPECT_EQ(dialog.m_date, COleDateTime(2024, 3, 12, 0, 0, 0));

    dialog.m_iMarket = 0;
    dialog.m_strMarket = "上櫃";
    dialog.m_iScope = -1;
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.Markets()->GetCurSel(), 1);
    EXPECT_EQ(Item<CButton>(dialog, 2015)->GetCheck(), BST_UNCHECKED) << "-1 checks no radio";

    dialog.m_strMarket = "";
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.Markets()->GetCurSel(), CB_ERR) << "an empty text chooses no item";
}

TEST_F(DialogTest, AModalRunIsAnsweredByTheScriptedPerson) {
    SearchDialog dialog(&parent);
    bool sawTheDialog = false;
    ui.Script().AnswerModal([&](CDialog& shown) {
        sawTheDialog = &shown == &dialog && shown.IsWindowVisible() && shown.IsModal();
        Item<CEdit>(shown, 3008)->TypeText("台積電");
        Item<CButton>(shown, 2014)->Click();
        dialog.Markets()->UserSelect(0);
        dialog.m_lcItem.Click(0);
        Item<CButton>(shown, IDOK)->Click();
        return IDCANCEL;  // the dialog's own end decides
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(sawTheDialog);
    EXPECT_TRUE(ui.Script().Errors().empty());
    ASSERT_EQ(ui.Script().Requests().size(), 1u);
    EXPECT_EQ(ui.Script().Requests()[0].caption, "詳細搜尋設定");
    EXPECT_EQ(dialog.m_strInput, "台積電");
    EXPECT_EQ(dialog.m_iScope, 0);
    EXPECT_EQ(dialog.m_iMarket, 0);
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_FALSE(dialog.m_lcItem.IsWindow());
    EXPECT_EQ(dialog.m_lcItem.GetItemCount(), 0) << "the rows went with the window";

    // A second run starts afresh.
    ui.Script().AnswerModal([&](CDialog&) {
        EXPECT_EQ(dialog.m_lcItem.GetItemCount(), 1);
        EXPECT_EQ(dialog.m_lbKeyword.GetCount(), 3);
        return IDCANCEL;
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.initialisations, 2);
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndEscapeCancels) {
    SearchDialog dialog(&parent);
    ui.Script().AnswerModal([&](CDialog& shown) {
        auto* edit = Item<CEdit>(shown, 3008);
        edit->TypeText("2330");
        edit->PressKey(VK_RETURN);
        return IDCANCEL;
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strInput, "2330");

    dialog.m_strInput = "kept";
    ui.Script().AnswerModal([&](CDialog& shown) {
        Item<CEdit>(shown, 3008)->TypeText("dropped");
        Item<CEdit>(shown, 3008)->PressKey(VK_ESCAPE);
        return IDOK;
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_strInput, "kept") << "a cancelled dialog saves nothing";

    ui.Script().AnswerModal([&](CDialog& shown) {
        shown.GetDlgItem(IDOK)->EnableWindow(false);
        Item<CEdit>(shown, 3008)->PressKey(VK_RETURN);
        EXPECT_FALSE(shown.IsEnded()) << "a disabled default button is not pressed";
        return IDCANCEL;
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

class WrongKindDialog : public CDialog {
  public:
    WrongKindDialog() : CDialog(kSearchDialog) {}
    int m_iIndex = 7;
    int m_iMissing = 8;

  protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_CBIndex(pDX, 3008, m_iIndex);  // an edit, not a combo box
        DDX_Radio(pDX, 4242, m_iMissing);
    }
};

TEST_F(DialogTest, AnExchangeWithTheWrongControlLeavesTheMemberAlone) {
    WrongKindDialog dialog;
    ASSERT_TRUE(dialog.Create(kSearchDialog, &parent));
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.m_iIndex, 7);
    EXPECT_EQ(dialog.m_iMissing, 8);
}

}  // namespace

namespace {

// A view holds controls it created itself and exchanges their data the same way.
class KeywordView : public CWnd {
  public:
    CEdit m_editKeyword;
    CString m_strKeyword;
    bool Exchange(bool save) {
        CDataExchange bind(*this, CDataExchange::Mode::Bind);
        DoDataExchange(&bind);
        CDataExchange dx(*this, save ? CDataExchange::Mode::Save : CDataExchange::Mode::Load);
        DoDataExchange(&dx);
        return !dx.Failed();
    }

  private:
    void DoDataExchange(CDataExchange* pDX) {
        DDX_Control(pDX, 3008, m_editKeyword);
        DDX_Text(pDX, 3008, m_strKeyword);
    }
};

TEST_F(DialogTest, AWindowThatIsNoDialogExchangesTheTextOfItsOwnControls) {
    KeywordView view;
    ASSERT_TRUE(view.Create("", WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    ASSERT_TRUE(view.m_editKeyword.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, At(0), &view, 3008));
    view.m_strKeyword = "台積電";
    EXPECT_TRUE(view.Exchange(false));
    EXPECT_EQ(view.m_editKeyword.GetWindowText(), "台積電");
    view.m_editKeyword.TypeText("ADR");
    EXPECT_TRUE(view.Exchange(true));
    EXPECT_EQ(view.m_strKeyword, "ADR台積電")
        << "the caret was at the start after the text was set";
}

}  // namespace
