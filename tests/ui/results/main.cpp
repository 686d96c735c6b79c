#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Windows are tested off screen; the build also runs this program to list
    // its tests, with no display at hand.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
