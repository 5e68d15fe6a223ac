#pragma once
// The host's duties towards its views: it creates them by class name from a
// loaded module inside the layout host window, gives each its configuration
// store, name and keys, forwards every back-end event to every view, passes
// linked symbol changes on, and closes views as a host does (settings saved,
// registrations withdrawn, window destroyed, object deleted).
//
// The order of the calls a view gets is the framework's: construction,
// window creation, OnInitialUpdate, InitialViewInfo (or
// vInitialMultiViewInfo), events, then SaveViewInfo, vUnregisterViewSymbol,
// window destruction and the destructor.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CSymbolInfo.h"
#include "ViewColumns.h"
#include "app/events/ViewEventForwarder.h"
#include "events/NewsEventSink.h"
#include "framework/SKQBaseView.h"

class LayoutHostWnd;
class MainFrameStory;
class ModuleLoader;
class SKQCfgIO2;

struct ViewRequest {
    CString name;  // the view's name in the store; the view also reads it as its layout name
    int key1 = 1;
    int key2 = 0;
    // Set: the view starts with this symbol and text (vInitialMultiViewInfo).
    std::optional<CSymbolInfo> symbol;
    CString text;
    // The link group a view joins when the store holds none for it yet.
    std::optional<BYTE> defaultLink;
};

// The back-end's event sink: each event goes to every view, in creation order
// (ViewEventForwarder; ForwardedEvents() counts them).
class ViewHost final : public ViewEventForwarder {
  public:
    static constexpr const char* kNewsViewClass = "SKQNewsCtrlView";

    // The loader must outlive the host: the views' code is the module's.
    ViewHost(ModuleLoader& loader, LayoutHostWnd& layout, SKQCfgIO2& store);
    // Views still open are destroyed without saving.
    ~ViewHost() override;
    ViewHost(const ViewHost&) = delete;
    ViewHost& operator=(const ViewHost&) = delete;

    void SetViewClass(const std::string& className) { m_viewClass = className; }
    const std::string& ViewClass() const { return m_viewClass; }
    SKQCfgIO2& Store() const { return m_store; }
    LayoutHostWnd& Layout() const { return m_layout; }

    // Null, with the reason in `error`, when the class cannot be created or
    // its window not made.
    SKQBaseView* CreateView(const ViewRequest& request, std::string& error);
    // The view's settings into the store, and the host's own for it (the
    // sheets' column widths, ViewColumns.h).
    bool SaveView(SKQBaseView& view);
    // Closes a view as the host does; false for a view this host does not hold.
    bool CloseView(SKQBaseView& view, bool save = true);
    // Closes every view, saving each (what closing the main window does).
    void CloseAll(bool save = true);

    std::vector<SKQBaseView*> Views() const;
    const ViewRequest* SpecOf(const SKQBaseView& view) const;

    // A symbol chosen outside the views (the host's symbol box) or by one of
    // them (`sender`): every view hears it; each takes it when it is the
    // sender or is in link group `link`.
    void ChangeSymbol(BYTE link, BYTE market, const CString& symbol, const CView* sender = nullptr);
    // The colour scheme or the fonts changed.
    void RecastAll();

    // Whether a view shows its title strip is the host's per-view setting,
    // kept in the store under the view's name and keys (class key
    // kHostClassKey). It is applied when the view is created, before its
    // set-up, so a change takes effect when the view is opened again.
    static constexpr const char* kHostClassKey = "newsdesk";
    static constexpr const char* kTitleBarKey = "ShowTitleBar";
    bool SetTitleBarShown(const SKQBaseView& view, bool shown);
    // For views without the setting: shown or hidden, or (nullopt) as the
    // view itself chooses.
    void SetTitleBarDefault(std::optional<bool> shown) { m_titleBarDefault = shown; }
    // The host's own story window hears of late records and stories too
    // (not owned; null: none).
    void SetMainFrameStory(MainFrameStory* story) { m_pMainFrameStory = story; }
    void OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) override;
    void OnStoryArrived(const CHeadlineTable& key) override;

  private:
    struct Hosted {
        std::unique_ptr<SKQBaseView> view;
        ViewRequest request;
        SheetWidths columns;  // as restored or last saved
    };
    // The host alone decides which views hear the back-end.
    using ViewEventForwarder::AddRecipient;
    using ViewEventForwarder::RemoveRecipient;

    std::vector<Hosted>::iterator find(const SKQBaseView& view);

    ModuleLoader& m_loader;
    LayoutHostWnd& m_layout;
    SKQCfgIO2& m_store;
    std::string m_viewClass = kNewsViewClass;
    std::vector<Hosted> m_views;
    std::optional<bool> m_titleBarDefault;
    MainFrameStory* m_pMainFrameStory = nullptr;
};
