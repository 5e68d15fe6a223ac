#include "QtTestFixture.h"

namespace {

// The application goes after the last test, while everything it needs is
// still there (not among the static destructors): deleting it frees Qt's font
// caches and the fontconfig patterns they hold, which leak checks would
// otherwise report.
class TestApplicationTearDown : public ::testing::Environment {
  public:
    void TearDown() override { delete QApplication::instance(); }
};

[[maybe_unused]] const ::testing::Environment* const kTearDown =
    ::testing::AddGlobalTestEnvironment(new TestApplicationTearDown);

}  // namespace

QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "kq_qt_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
