#include "adapters/dialogs/scripteddialogs.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

using namespace quiz;

namespace
{

std::string shown(const std::optional<std::string> &value)
{
    return value ? *value : "cancel";
}

using Scripted = quiz::test::RowTest;

// One dialog answered by one line (or none); the result and the recorded answer.
TEST_P(Scripted, AnswersFitTheirDialog)
{
    const quiz::test::Row &r = GetParam();
    ScriptedDialogs dialogs(r[0] == "none" ? std::vector<std::string>{} : std::vector<std::string>{r[0]});
    std::string got;
    if (r.name == "message") {
        const std::map<std::string, MessageButtons> buttons{{"ok", MessageButtons::Ok},
                                                            {"okcancel", MessageButtons::OkCancel},
                                                            {"yesno", MessageButtons::YesNo},
                                                            {"yesnocancel", MessageButtons::YesNoCancel}};
        const char *words[] = {"ok", "cancel", "yes", "no"};
        got = words[int(dialogs.message("m", "t", MessageIcon::None, buttons.at(r[1])))];
    } else if (r.name == "input") {
        got = shown(dialogs.input("p", "t", "d"));
    } else if (r.name == "save") {
        got = shown(dialogs.saveFile("t", "d", ""));
    } else if (r.name == "open") {
        got = shown(dialogs.openFile("t", "d", ""));
    } else if (r.name == "font") {
        const auto f = dialogs.font("t", FontChoice{});
        got = f ? f->name + "," + std::to_string(f->size) + "," + std::to_string(f->bold) + "," +
                      std::to_string(f->italic) + "," + std::to_string(f->underline) + "," +
                      std::to_string(f->strikeThrough) + "," + std::to_string(f->colour)
                : "cancel";
    } else {
        const auto p = dialogs.print("t");
        got = !p ? "cancel" : p->pdfPath.empty() ? "printer:" + p->printerName : "pdf:" + p->pdfPath;
        if (p)
            EXPECT_TRUE(p->pdfPath.empty() != p->printerName.empty());
    }
    EXPECT_EQ(got, r[2]);
    EXPECT_EQ(dialogs.answersLeft(), 0u) << "a line that does not fit is still used up";
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].answer, r[3]);
}
QUIZ_ROWS(Scripted, "dialogs/scripted.rows");

} // namespace

TEST(ScriptedDialogs, AnswersAreTakenInOrderAndTheLogHoldsOneExactJsonObjectPerDialog)
{
    quiz::test::TestFolder folder;
    const auto answers = folder.write("answers", "No\r\ntext:a \"b\"\\c\nfile:/x/r.xls\n\nOK").string();
    EXPECT_EQ(readAnswerLines(answers),
              (std::vector<std::string>{"No", "text:a \"b\"\\c", "file:/x/r.xls", "", "OK"}));
    ScriptedDialogs dialogs = ScriptedDialogs::fromFile(answers);
    EXPECT_EQ(dialogs.logPath(), answers + ".log");
    dialogs.message("r.xls already exists.\r\n\r\nDo you want to overwrite it?", "Confirm File Replace",
                    MessageIcon::Question, MessageButtons::YesNo);
    dialogs.input("Enter the number of columns you wish to distribute to (1-10)", "Number of Columns", "1");
    dialogs.saveFile("Please choose a name for the results file", "Quiz results.xls",
                     "XLS files (*.xls)|*.xls");
    dialogs.print("Print");
    dialogs.message("caf\xC3\xA9\ttab\x01", "talvix", MessageIcon::Exclamation, MessageButtons::Ok);
    dialogs.message("m", "t", MessageIcon::Critical, MessageButtons::OkCancel);
    dialogs.message("m", "t", MessageIcon::Information, MessageButtons::YesNoCancel);
    dialogs.font("Font", FontChoice{"Arial", 24});
    std::ifstream expected(test::dataPath("dialogs/expected.log"), std::ios::binary);
    EXPECT_EQ(folder.read("answers.log"), std::string(std::istreambuf_iterator<char>(expected), {}));

    // A missing answers file means no lines; the log is still written.
    EXPECT_TRUE(readAnswerLines(folder.str() + "/none").empty());
    ScriptedDialogs none = ScriptedDialogs::fromFile(folder.str() + "/none");
    EXPECT_EQ(none.message("m", "t", MessageIcon::None, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_FALSE(folder.read("none.log").empty());
}
