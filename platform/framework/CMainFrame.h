#pragma once
// The host's main frame as modules see it. A module keeps a pointer to it
// where an object serves the host itself rather than one of its views (the
// news module's story window made by the host); the host's frame window
// derives from it.
class CMainFrame {
  public:
    virtual ~CMainFrame() = default;

  protected:
    CMainFrame() = default;
    CMainFrame(const CMainFrame&) = default;
    CMainFrame& operator=(const CMainFrame&) = default;
};
