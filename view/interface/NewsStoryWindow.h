#pragma once
// What a host and the automation may use of a story window without seeing
// the module's classes: the view's own story window (read through
// INewsViewInspection) and the instance a host's main frame makes to show a
// story it holds (made through INewsStoryFactory).
#include <memory>

#include "CString.h"
#include "NewsRecords.h"
#include "SearchConditions.h"

class CMainFrame;
class CWnd;

class INewsStoryWindow {
  public:
    virtual ~INewsStoryWindow() = default;

    // The dialog window: its controls by id (label 8066, previous 8067, next
    // 8068, print 8069, save 8070, story pane 8071).
    virtual CWnd* pStoryWindow() = 0;
    // The mode whose list is read (-1 until one is set) and the position shown.
    virtual int iStoryFunctionID() const = 0;
    virtual int iStoryIndex() const = 0;
    // False for a main frame's instance.
    virtual bool bStoryHasView() const = 0;
    // A view's instance: the headline at `index` of the list of `mode` as a
    // result of `search` (what the view does when search results come).
    virtual void vShowSearchResult(int mode, int index, CSearch& search) = 0;

    // A main frame's instance: creates its window (hidden), then shows a
    // headline text and a story the host holds.
    virtual bool bCreateStoryWindow() = 0;
    virtual void vShowHeadlineText(CString& text) = 0;
    virtual void vShowStory(const CStory& story) = 0;
};

// Made by class name ("SKQNewsStoryFactory") from the module; makes story
// windows for a host's main frame.
class INewsStoryFactory {
  public:
    virtual ~INewsStoryFactory() = default;
    virtual std::unique_ptr<INewsStoryWindow> CreateMainFrameStory(CMainFrame* frame) = 0;
};
