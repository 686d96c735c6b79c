#include "core/diagnostics/uiscript.h"

#include <gtest/gtest.h>

#include <string>

using namespace quiz;

namespace
{

// word|window|path|numbers|text|on, or the fault's word and line for a line that does not parse.
std::string summary(const std::string &content)
{
    const UiScript script = parseUiScript(content);
    if (script.error)
        return uiScriptFaultWord(script.error->fault) + "@" + std::to_string(script.error->line);
    if (script.actions.size() != 1)
        return std::to_string(script.actions.size()) + " actions";
    const UiAction &a = script.actions[0];
    std::string path, numbers;
    for (const auto &p : a.path)
        path += (path.empty() ? "" : "/") + p;
    for (int n : a.numbers)
        numbers += (numbers.empty() ? "" : ",") + std::to_string(n);
    return a.word + "|" + a.window + "|" + path + "|" + numbers + "|" + a.text + "|" + (a.on ? "on" : "off");
}

struct Row {
    const char *line;
    const char *expected;
};

class UiScriptLine : public ::testing::TestWithParam<Row>
{
};

TEST_P(UiScriptLine, ParsesIntoItsParts)
{
    EXPECT_EQ(summary(GetParam().line), GetParam().expected) << GetParam().line;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, UiScriptLine, ::testing::Values(
    Row{"click QuizForm/Command1(0)", "click|QuizForm|Command1(0)|||off"},
    Row{"  DblClick\tW/List1   Item two ", "dblclick|W|List1||Item two|off"},
    Row{"rightclick FrmTChartSetup/Canvas 10 -5", "rightclick|FrmTChartSetup|Canvas|10,-5||off"},
    Row{"rightclick W/C 10", "rightclick|W|C||10|off"},
    Row{"drag W/Frame1/C 1 2 300 4", "drag|W|Frame1/C|1,2,300,4||off"},
    Row{"key FrmTChartSetup Shift+Left", "key|FrmTChartSetup|||Shift+Left|off"},
    Row{"text W/T  two  blanks ", "text|W|T|| two  blanks |off"},
    Row{"text W/T", "text|W|T|||off"},
    Row{"tick W/Check1 ON", "tick|W|Check1|||on"},
    Row{"select W/tabView Results # 2", "select|W|tabView||Results # 2|off"},
    Row{"menu menuQuiz mnuDelete", "menu|menuQuiz|||mnuDelete|off"},
    Row{"wait 250", "wait|||250||off"},
    Row{"close QuizForm", "close|QuizForm||||off"},
    Row{"frobnicate W", "unknown@1"},
    Row{"click", "badline@1"},
    Row{"click W//C", "badline@1"},
    Row{"click W/C(x)", "badline@1"},
    Row{"click W/C(1", "badline@1"},
    Row{"drag W/C 1 2 3", "badline@1"},
    Row{"drag W/C 1 2 3 x", "badline@1"},
    Row{"wait -1", "badline@1"},
    Row{"wait 10 20", "badline@1"},
    Row{"tick W/C maybe", "badline@1"},
    Row{"menu W", "badline@1"},
    Row{"menu W a b", "badline@1"},
    Row{"close W/C", "badline@1"},
    Row{"select W/C", "badline@1"},
    Row{"key W", "badline@1"},
    Row{"\r\n# a comment\r\n\r\nwait 1\r\nclose W\r\n", "2 actions"},
    Row{"wait 1\n  # note\nbogus W\nclose W", "unknown@3"}));
// clang-format on

} // namespace
