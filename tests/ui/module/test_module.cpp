// A module for the loading tests: one view class the host creates by name,
// and the entry that attaches the module and registers its window message.
#include "framework/KqModule.h"
#include "framework/SKQBaseView.h"
#include "ui/WindowSystem.h"

namespace {

UINT g_uMsgChangeSize = 0;

void InitTestModule() {
    g_uMsgChangeSize = RegisterWindowMessage("KQMSG_CHANGESIZE");
}

}  // namespace

// Answers the module's registered message with how often it has had it, so
// the host sees that the module's initialisation ran before the view was made.
class SKQTestModuleView : public SKQBaseView {
    KQ_DECLARE_DYNCREATE(SKQTestModuleView)

  public:
    SKQTestModuleView() {
        m_strCaption = "Module view";
        GetMessageMap().On(g_uMsgChangeSize,
                           [this](WPARAM, LPARAM) -> LRESULT { return ++m_iChangeSizeCount; });
    }

    void GetCaption(CString& out) override { out = "Module view from test_module"; }

  private:
    int m_iChangeSizeCount = 0;
};

KQ_IMPLEMENT_DYNCREATE(SKQTestModuleView, SKQBaseView)

KQ_IMPLEMENT_MODULE("test_module", "1.2.3", InitTestModule)
