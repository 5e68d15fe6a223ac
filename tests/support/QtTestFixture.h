#pragma once
// The Qt tests' fixture: the one application object of the run (on the
// offscreen platform, see TestEnvironment.cpp), a host context installed for
// the test, and the Qt front end of the window layer on it.
#include <gtest/gtest.h>

#include <QApplication>

#include "HostContext.h"
#include "qt/QtFrontEnd.h"
#include "ui/CWnd.h"

// Made on first use, kept for the whole run (Qt allows one per process) and
// deleted after the last test.
QApplication& TestApplication();

class QtTest : public ::testing::Test {
  protected:
    QApplication& app = TestApplication();
    HostContext context;
    ScopedHostContext scope{context};
    QtUi ui;

    QWidget* widget(const CWnd& window) { return ui.FrontEnd().WidgetOf(window); }
    template <class T>
    T* peer(const CWnd& window) {
        return qobject_cast<T*>(widget(window));
    }
};

// With a shown top-level layer window, 400 by 300, for the test's windows.
class QtWindowTest : public QtTest {
  protected:
    static constexpr const char* kTopTitle = "主視窗";
    CWnd top;

    void SetUp() override {
        ASSERT_TRUE(top.Create(kTopTitle, WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
        widget(top)->show();
    }
};
