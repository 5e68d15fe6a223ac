// Every test binary runs in Taipei time and, when it uses Qt, on the
// offscreen platform, whether started by CTest or by hand.
#include <cstdlib>
#include <ctime>

namespace {
const bool kEnvironmentSet = [] {
    setenv("TZ", "Asia/Taipei", 1);
    tzset();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return true;
}();
}  // namespace
