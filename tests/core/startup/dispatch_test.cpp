#include "core/startup/startup.h"

#include <gtest/gtest.h>

using quiz::DispatchModeName;

TEST(DispatchModeName, AcceptsEachModeWithOrWithoutOneTrailingBlank)
{
    struct Case {
        const char *runMode;
        const char *mode;
    } cases[] = {
        {"SETUP", "SETUP"},
        {"SETUP ", "SETUP"},
        {"WIZARD ", "WIZARD"},
        {"DISPLAY", "DISPLAY"},
        {"INSERT ", "INSERT"},
        {"EXPORT", "EXPORT"},
        {"RESULTSTABLE ", "RESULTSTABLE"},
        {"PRINT ", "PRINT"}, // the debug box's answer keeps its trailing blank
        {"PARTSETUP", "PARTSETUP"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DispatchModeName(c.runMode), c.mode) << '"' << c.runMode << '"';
}

TEST(DispatchModeName, EndsSilentlyOnAnythingElse)
{
    for (const char *runMode : {"", "PARTSETUP ", "setup", " SETUP", "SETUP  ", "MAKE", "QUIZ.QUZ", "DISPLAY5"})
        EXPECT_EQ(DispatchModeName(runMode), "") << '"' << runMode << '"';
}
