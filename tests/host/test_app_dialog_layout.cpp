// The news view's dialogs in the Qt front end, as newsdesk shows them: laid
// out from their dialog units with no control over another and every text
// fitting its control in each language, and used from the keyboard (Tab
// order, Enter for the default button, Escape).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <set>

#include "DealsSearchDlg.h"
#include "QtTestFixture.h"
#include "RelationSearchDlg.h"
#include "TempDir.h"
#include "app/desk/DeskEnvironment.h"

namespace {

class DialogLayoutTest : public QtWindowTest, public ::testing::WithParamInterface<Language> {
  protected:
    TempDir folder;

    void SetUp() override {
        QtWindowTest::SetUp();
        DeskSettings settings;
        settings.resourceDir = std::string(KQ_SOURCE_DIR) + "/data";
        settings.configDir = folder.str();
        settings.language = GetParam();
        std::string error;
        ASSERT_TRUE(ConfigureHost(context, settings, error)) << error;
        DialogTemplates::Register(CDealsSearchDlg::Template());
        DialogTemplates::Register(CRelationSearchDlg::Template());
    }

    // Runs the dialog; `person` acts once it shows and has the keyboard (on a
    // loaded machine the window may not be active yet when the timer fires,
    // and keys would go nowhere).
    int Run(CDialog& dialog, std::function<void()> person) {
        QTimer::singleShot(20, [&, person] {
            if (QWidget* shown = widget(dialog)) {
                shown->activateWindow();
                EXPECT_TRUE(QTest::qWaitForWindowActive(shown))
                    << "the dialog never got the keyboard";
            }
            person();
            // Whatever the person did, the run ends.
            if (!dialog.IsEnded())
                dialog.EndDialog(-2);
        });
        return dialog.DoModal();
    }

    // Shows the dialog and checks its layout: every shown control inside the
    // dialog, buttons wide enough for their texts, no control over another,
    // and none across a group box's edge.
    void CheckLayout(CDialog& dialog, const std::set<int>& groupBoxIds, std::size_t shownControls) {
        std::vector<std::string> faults;
        Run(dialog, [&] {
            QWidget* shown = widget(dialog);
            ASSERT_NE(shown, nullptr);
            const QRect area = shown->rect();
            std::vector<std::pair<const CWnd*, QRect>> boxes;
            std::vector<std::pair<const CWnd*, QRect>> controls;
            for (const CWnd* child : dialog.GetChildren()) {
                QWidget* w = widget(*child);
                if (!w || !child->IsWindowVisible())
                    continue;
                const std::string name = std::to_string(child->GetDlgCtrlID());
                if (!area.contains(w->geometry()))
                    faults.push_back(name + " is cut by the dialog's edge");
                if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                    // Room for a radio's mark or a button's frame beside the text.
                    const int needed = button->fontMetrics().horizontalAdvance(button->text()) + 20;
                    if (needed > w->width())
                        faults.push_back(name + " cuts its text \"" + button->text().toStdString() +
                                         "\"");
                }
                const bool groupBox = groupBoxIds.count(child->GetDlgCtrlID()) > 0;
                (groupBox ? boxes : controls).emplace_back(child, w->geometry());
            }
            EXPECT_EQ(boxes.size(), groupBoxIds.size());
            EXPECT_EQ(controls.size(), shownControls) << "every control is shown";
            for (std::size_t i = 0; i < controls.size(); ++i) {
                for (std::size_t j = i + 1; j < controls.size(); ++j) {
                    if (controls[i].second.intersects(controls[j].second))
                        faults.push_back(std::to_string(controls[i].first->GetDlgCtrlID()) +
                                         " covers " +
                                         std::to_string(controls[j].first->GetDlgCtrlID()));
                }
            }
            // A control is inside a group box or clear of it, never across its edge.
            for (const auto& [box, frame] : boxes) {
                for (const auto& [control, rect] : controls) {
                    if (frame.intersects(rect) && !frame.contains(rect))
                        faults.push_back(std::to_string(control->GetDlgCtrlID()) +
                                         " crosses the edge of " +
                                         std::to_string(box->GetDlgCtrlID()));
                }
            }
        });
        EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
    }
};

TEST_P(DialogLayoutTest, NoControlCoversAnotherAndEveryTextFits) {
    CSearch condition;
    std::vector<CString> history{"台積電"};
    std::vector<CSearch> items;
    CDealsSearchDlg deals(&top, &condition, &history, &items);
    CheckLayout(deals, {CDealsSearchDlg::IDC_GROUP_LEFT, CDealsSearchDlg::IDC_GROUP_RIGHT}, 15);
    std::vector<CRelationSearch> relationItems;
    CRelationSearchDlg relation(&history, &relationItems, &top);
    CheckLayout(relation,
                {CRelationSearchDlg::IDC_SYMBOL_GROUP, CRelationSearchDlg::IDC_GROUP_LEFT,
                 CRelationSearchDlg::IDC_GROUP_RIGHT},
                28);
}

TEST_P(DialogLayoutTest, TabMovesOnAndEnterOrEscapeEndsTheDialog) {
    CSearch condition;
    std::vector<CString> history;
    std::vector<CSearch> items;
    CDealsSearchDlg enter(&top, &condition, &history, &items);
    QWidget* afterTab = nullptr;
    QWidget* enterButton = nullptr;
    EXPECT_EQ(Run(enter,
                  [&] {
                      QWidget* edit = widget(*enter.GetDlgItem(CKeywordPart::IDC_INPUT));
                      edit->setFocus();
                      QTest::keyClick(edit, Qt::Key_Tab);
                      afterTab = QApplication::focusWidget();
                      enterButton = widget(*enter.GetDlgItem(CKeywordPart::IDC_ENTER));
                      QTest::keyClick(edit, Qt::Key_Return);
                  }),
              IDOK);
    EXPECT_EQ(afterTab, enterButton) << "Tab goes from the edit to its button";
    CDealsSearchDlg escape(&top, &condition, &history, &items);
    EXPECT_EQ(Run(escape,
                  [&] {
                      QWidget* list = widget(*escape.GetDlgItem(CKeywordPart::IDC_HISTORY));
                      list->setFocus();
                      QTest::keyClick(list, Qt::Key_Escape);
                  }),
              IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogLayoutTest,
                         ::testing::Values(Language::TraditionalChinese,
                                           Language::SimplifiedChinese, Language::English));

}  // namespace
