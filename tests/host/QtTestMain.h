#pragma once
// Qt tests need one application object for the whole run; the offscreen
// platform is set by the test registration (and here, for runs by hand).
#include <QApplication>
#include <cstdlib>

inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "qt_front_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *app;
}
