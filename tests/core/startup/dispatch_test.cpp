#include "core/startup/startup.h"

#include <gtest/gtest.h>

using quiz::DispatchModeName;

TEST(DispatchModeName, AcceptsEachModeWithOrWithoutOneTrailingBlankAndNothingElse)
{
    struct Case {
        const char *runMode;
        const char *mode; // "": the run ends silently
    } cases[] = {
        // clang-format off
        {"SETUP", "SETUP"}, {"SETUP ", "SETUP"}, {"WIZARD ", "WIZARD"}, {"DISPLAY", "DISPLAY"},
        {"INSERT ", "INSERT"}, {"EXPORT", "EXPORT"}, {"RESULTSTABLE ", "RESULTSTABLE"}, {"PARTSETUP", "PARTSETUP"},
        {"PRINT ", "PRINT"}, // the debug box's answer keeps its trailing blank
        {"", ""}, {"PARTSETUP ", ""}, {"setup", ""}, {" SETUP", ""}, {"SETUP  ", ""}, {"MAKE", ""},
        {"QUIZ.QUZ", ""}, {"DISPLAY5", ""},
        // clang-format on
    };
    for (const auto &c : cases)
        EXPECT_EQ(DispatchModeName(c.runMode), c.mode) << '"' << c.runMode << '"';
}
