#include "QtTestFixture.h"

QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "kq_qt_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
