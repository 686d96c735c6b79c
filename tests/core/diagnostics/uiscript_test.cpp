#include "core/diagnostics/uiscript.h"
#include "support/rows.h"

#include <gtest/gtest.h>

using namespace quiz;

using UiScriptLine = quiz::test::RowTest;

TEST_P(UiScriptLine, ParsesIntoItsParts)
{
    const UiScript script = parseUiScript(GetParam()[0]);
    std::string got;
    if (script.error) {
        got = uiScriptFaultWord(script.error->fault) + "@" + std::to_string(script.error->line);
    } else if (script.actions.size() != 1) {
        got = std::to_string(script.actions.size()) + " actions";
    } else {
        const UiAction &a = script.actions[0];
        std::string path, numbers;
        for (const auto &p : a.path)
            path += (path.empty() ? "" : "/") + p;
        for (int n : a.numbers)
            numbers += (numbers.empty() ? "" : ",") + std::to_string(n);
        got =
            a.word + ";" + a.window + ";" + path + ";" + numbers + ";" + a.text + ";" + (a.on ? "on" : "off");
    }
    EXPECT_EQ(got, GetParam()[1]);
}
QUIZ_ROWS(UiScriptLine, "diagnostics/uiscript.rows");
