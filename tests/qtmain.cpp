// The main() of every test program outside the core layer: a Qt application
// off screen (test discovery runs the program without the test environment)
// with the fonts of tests/data/fonts only.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Text is measured in the fonts the tests ship, for this program and the
    // programs it starts, whatever "Arial" resolves to on the machine.
    qputenv("FONTCONFIG_FILE", QUIZ_TEST_DATA "/fonts/fonts.conf");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
