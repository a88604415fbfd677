// Entry point of the tests of the embedded browser: the widget test main,
// with the process prepared for the web engine first (shared GL contexts,
// no Chromium sandbox under root, no GPU offscreen).
//
// Chromium runs inside the test process, and its code is not built with the
// sanitizers. It breaks two of AddressSanitizer's rules on its own: it keeps
// allocations until exit (the leak check) and tears pages down with sized
// deletes through a base of another size (new_delete_type_mismatch). The
// program therefore starts itself once more with those two checks off,
// added after whatever ASAN_OPTIONS the run gives; every other
// AddressSanitizer check and UBSan stay on.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "publish/DownloadDlg.h"
#include "support/TestSupport.h"
#include "support/WidgetTestSupport.h"

namespace {

constexpr const char* kBrowserAsanOptions = "detect_leaks=0:new_delete_type_mismatch=0";
constexpr const char* kRestarted = "VX_WEB_TEST_RESTARTED";

void RestartWithBrowserAsanOptions(char** argv) {
    if (std::getenv(kRestarted)) return;
    const char* old = std::getenv("ASAN_OPTIONS");
    const std::string options = (old && *old ? std::string(old) + ":" : std::string()) + kBrowserAsanOptions;
    ::setenv("ASAN_OPTIONS", options.c_str(), 1);
    ::setenv(kRestarted, "1", 1);
    ::execv("/proc/self/exe", argv);
    // Not restarted: run as we are.
}

}  // namespace

int main(int argc, char** argv) {
    RestartWithBrowserAsanOptions(argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    PrepareDownloadWindow();
    QApplication app(argc, argv);
    vxtest::InitTestEnvironment();
    vxtest::InstallAnswering();
    return RUN_ALL_TESTS();
}
