#include "ViewHost.h"

#include <algorithm>

#include "LayoutHostWnd.h"
#include "MainFrameStory.h"
#include "SKQCfgIO2.h"
#include "framework/ModuleLoader.h"

ViewHost::ViewHost(ModuleLoader& loader, LayoutHostWnd& layout, SKQCfgIO2& store)
    : m_loader(loader), m_layout(layout), m_store(store) {}

ViewHost::~ViewHost() {
    CloseAll(false);
}

std::vector<ViewHost::Hosted>::iterator ViewHost::find(const SKQBaseView& view) {
    return std::find_if(m_views.begin(), m_views.end(),
                        [&](const Hosted& hosted) { return hosted.view.get() == &view; });
}

SKQBaseView* ViewHost::CreateView(const ViewRequest& request, std::string& error) {
    if (!m_layout.IsWindow()) {
        error = "the layout window does not exist";
        return nullptr;
    }
    std::unique_ptr<SKQBaseView> view = m_loader.Create<SKQBaseView>(m_viewClass);
    if (!view) {
        error = m_loader.GetError();
        return nullptr;
    }
    // The layout host must be known before anything paints or shows a menu.
    view->vSetLayoutWnd(&m_layout);
    // Before the window and the set-up: the view lays itself out below a
    // shown title strip.
    bool titleBar = false;
    if (m_store.GetViewInfo(request.name, request.key1, request.key2, kHostClassKey, kTitleBarKey,
                            titleBar))
        view->vSetTitleBarShown(titleBar);
    else if (m_titleBarDefault)
        view->vSetTitleBarShown(*m_titleBarDefault);
    if (!view->Create("", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, m_layout.NextViewRect(),
                      &m_layout, m_layout.NextViewId())) {
        error = "the window of a " + m_viewClass + " could not be created";
        return nullptr;
    }
    view->OnInitialUpdate();
    if (request.symbol) {
        // The view keeps what it is given; pass copies so the request stays as it was.
        CString text = request.text;
        CSymbolInfo symbol = *request.symbol;
        view->vInitialMultiViewInfo(&m_store, request.name, request.key1, request.key2, text,
                                    symbol);
    } else {
        view->InitialViewInfo(&m_store, request.name, request.key1, request.key2, "");
    }
    if (request.defaultLink) {
        int stored = 0;
        const CString className(view->GetRuntimeClass()->m_lpszClassName);
        if (!m_store.GetViewInfo(request.name, request.key1, request.key2, className,
                                 SKQBaseView::kLinkGroupKey, stored))
            view->bSetLink(*request.defaultLink);
    }
    // After the set-up, which makes the sheets.
    SheetWidths columns = viewcolumns::Restore(m_store, request, *view);
    SKQBaseView* raw = view.get();
    m_views.push_back({std::move(view), request, std::move(columns)});
    AddRecipient(*raw);
    m_layout.AddView(*raw);
    return raw;
}

bool ViewHost::SaveView(SKQBaseView& view) {
    const auto it = find(view);
    if (it == m_views.end())
        return false;
    view.SaveViewInfo(&m_store, it->request.name, it->request.key1, it->request.key2);
    viewcolumns::Save(m_store, it->request, view, it->columns);
    return true;
}

bool ViewHost::CloseView(SKQBaseView& view, bool save) {
    const auto it = find(view);
    if (it == m_views.end())
        return false;
    if (save) {
        view.SaveViewInfo(&m_store, it->request.name, it->request.key1, it->request.key2);
        viewcolumns::Save(m_store, it->request, view, it->columns);
    }
    view.vUnregisterViewSymbol();
    m_layout.RemoveView(view);
    view.DestroyWindow();
    // Out of the list before the object goes, so nothing reaches it while it dies.
    std::unique_ptr<SKQBaseView> doomed = std::move(it->view);
    m_views.erase(it);
    RemoveRecipient(view);
    doomed.reset();
    return true;
}

void ViewHost::CloseAll(bool save) {
    while (!m_views.empty())
        CloseView(*m_views.back().view, save);
}

std::vector<SKQBaseView*> ViewHost::Views() const {
    std::vector<SKQBaseView*> views;
    views.reserve(m_views.size());
    for (const Hosted& hosted : m_views)
        views.push_back(hosted.view.get());
    return views;
}

const ViewRequest* ViewHost::SpecOf(const SKQBaseView& view) const {
    for (const Hosted& hosted : m_views) {
        if (hosted.view.get() == &view)
            return &hosted.request;
    }
    return nullptr;
}

bool ViewHost::SetTitleBarShown(const SKQBaseView& view, bool shown) {
    const ViewRequest* request = SpecOf(view);
    return request && m_store.SaveViewInfo(request->name, request->key1, request->key2,
                                           kHostClassKey, kTitleBarKey, shown);
}

void ViewHost::ChangeSymbol(BYTE link, BYTE market, const CString& symbol, const CView* sender) {
    // Each view decides whether the change is for it (its link group).
    forEachRecipient(
        [&](SKQBaseView& view) { view.ChangeSymbol(sender, link, market, symbol, ""); });
}

void ViewHost::RecastAll() {
    forEachRecipient([](SKQBaseView& view) { view.vChangeCast(); });
}

void ViewHost::OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) {
    ViewEventForwarder::OnHeadlinesArrived(keys);
    if (m_pMainFrameStory)
        m_pMainFrameStory->HeadlinesArrived(keys);
}

void ViewHost::OnStoryArrived(const CHeadlineTable& key) {
    ViewEventForwarder::OnStoryArrived(key);
    if (m_pMainFrameStory)
        m_pMainFrameStory->StoryArrived(key);
}
