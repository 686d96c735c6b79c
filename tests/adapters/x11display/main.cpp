// The X11 window system's tests run on an X server of their own: Xvfb is
// started before the Qt application, which then draws on it; under
// QUIZ_TEST_WINDOW_MANAGER=openbox, with openbox managing it.

#include "support/windowmanager.h"
#include "support/xvfb.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<quiz::test::Xvfb> server;
    std::unique_ptr<quiz::test::WindowManager> manager;
    if (!GTEST_FLAG_GET(list_tests)) {
        server = std::make_unique<quiz::test::Xvfb>();
        if (!server->running()) {
            std::fprintf(stderr, "Xvfb did not start\n");
            return 1;
        }
        manager = std::make_unique<quiz::test::WindowManager>(server->display());
        if (!manager->ok()) {
            std::fprintf(stderr, "the window manager did not start\n");
            return 1;
        }
        setenv("DISPLAY", server->display().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    setenv("FONTCONFIG_FILE", QUIZ_TEST_DATA "/fonts/fonts.conf", 1); // the fonts the tests ship
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    return result;
}
