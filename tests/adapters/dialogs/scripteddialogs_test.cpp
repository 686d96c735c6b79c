#include "adapters/dialogs/scripteddialogs.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace quiz;
using quiz::test::TestFolder;

TEST(ScriptedDialogs, AnswersAreTakenInOrderByEveryKindOfDialog)
{
    ScriptedDialogs dialogs({"Yes", "text:print ", "file:/tmp/r.xls", "file:q.quz",
                             "font:Times New Roman,18,1,0,1,0,255", "pdf:/tmp/out.pdf", "printer:Office"});
    EXPECT_EQ(
        dialogs.message("Overwrite?", "Confirm File Replace", MessageIcon::Question, MessageButtons::YesNo),
        MessageAnswer::Yes);
    EXPECT_EQ(dialogs.input("What type?", "Debug mode", "ResultsTable"), "print ");
    EXPECT_EQ(dialogs.saveFile("Please choose", "results.xls", "XLS files (*.xls)|*.xls"), "/tmp/r.xls");
    EXPECT_EQ(dialogs.openFile("Open", "", "*.quz"), "q.quz");
    const FontChoice font{"Times New Roman", 18, true, false, true, false, 255};
    EXPECT_EQ(dialogs.font("Font", FontChoice{}), font);
    const auto pdf = dialogs.print("Print");
    ASSERT_TRUE(pdf);
    EXPECT_EQ(pdf->pdfPath, "/tmp/out.pdf");
    EXPECT_EQ(pdf->printerName, "");
    const auto printer = dialogs.print("Print");
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->printerName, "Office");
    EXPECT_EQ(printer->pdfPath, "");
    EXPECT_EQ(dialogs.answersLeft(), 0u);
    ASSERT_EQ(dialogs.records().size(), 7u);
    EXPECT_EQ(dialogs.records()[1],
              (DialogRecord{"input", "Debug mode", "What type?", "none", "", "ResultsTable", "text:print "}));
}

TEST(ScriptedDialogs, WithNoLineLeftMessageBoxesTakeTheirFirstButtonAndOthersAreCancelled)
{
    ScriptedDialogs dialogs(std::vector<std::string>{});
    struct Case {
        MessageButtons buttons;
        MessageAnswer answer;
        const char *word;
        MessageIcon icon;
        const char *buttonsWord, *iconWord;
    } cases[] = {
        // clang-format off
        {MessageButtons::Ok, MessageAnswer::Ok, "OK", MessageIcon::None, "ok", "none"},
        {MessageButtons::OkCancel, MessageAnswer::Ok, "OK", MessageIcon::Critical, "okcancel", "critical"},
        {MessageButtons::YesNo, MessageAnswer::Yes, "Yes", MessageIcon::Exclamation, "yesno", "exclamation"},
        {MessageButtons::YesNoCancel, MessageAnswer::Yes, "Yes", MessageIcon::Information, "yesnocancel", "information"},
        // clang-format on
    };
    for (const auto &c : cases) {
        EXPECT_EQ(dialogs.message("m", "t", c.icon, c.buttons), c.answer);
        EXPECT_EQ(dialogs.records().back().answer, c.word);
        EXPECT_EQ(dialogs.records().back().buttons, c.buttonsWord);
        EXPECT_EQ(dialogs.records().back().icon, c.iconWord);
    }
    EXPECT_EQ(dialogs.input("p", "t", "preset"), std::nullopt);
    EXPECT_EQ(dialogs.saveFile("t", "a.xls", ""), std::nullopt);
    EXPECT_EQ(dialogs.openFile("t", "", ""), std::nullopt);
    EXPECT_EQ(dialogs.font("t", FontChoice{}), std::nullopt);
    EXPECT_EQ(dialogs.print("t"), std::nullopt);
    ASSERT_EQ(dialogs.records().size(), 9u);
    for (size_t i = 4; i < 9; ++i)
        EXPECT_EQ(dialogs.records()[i].answer, "Cancel") << dialogs.records()[i].kind;
}

TEST(ScriptedDialogs, LinesThatDoNotFitTheDialogCancelIt)
{
    struct Case {
        const char *line;
        MessageButtons buttons;
        MessageAnswer answer;
    } messageCases[] = {
        {"Yes", MessageButtons::Ok, MessageAnswer::Ok},       // Escape on an OK box presses OK
        {"Cancel", MessageButtons::YesNo, MessageAnswer::No}, // and on Yes/No presses No
        {"No", MessageButtons::OkCancel, MessageAnswer::Cancel},
        {"text:x", MessageButtons::YesNoCancel, MessageAnswer::Cancel},
        {"", MessageButtons::OkCancel, MessageAnswer::Cancel},
        {"OKAY", MessageButtons::OkCancel, MessageAnswer::Cancel},
    };
    for (const auto &c : messageCases) {
        ScriptedDialogs dialogs({c.line});
        EXPECT_EQ(dialogs.message("m", "t", MessageIcon::Critical, c.buttons), c.answer) << c.line;
        EXPECT_EQ(dialogs.answersLeft(), 0u) << "a bad line is still used up";
    }

    ScriptedDialogs dialogs({"OK", "text:x", "file:", "font:Arial,0,0,0,0,0,0", "font:Arial,12,2,0,0,0,0",
                             "font:Arial,12,0,0,0,0,16777216", "font:Arial,12", "file:y.pdf",
                             "pdf:", "text:z"});
    EXPECT_EQ(dialogs.input("p", "t", "d"), std::nullopt);
    EXPECT_EQ(dialogs.saveFile("t", "d", ""), std::nullopt);
    EXPECT_EQ(dialogs.openFile("t", "d", ""), "") << "an empty file name fits a file dialog";
    EXPECT_EQ(dialogs.font("t", FontChoice{}), std::nullopt) << "size 0";
    EXPECT_EQ(dialogs.font("t", FontChoice{}), std::nullopt) << "flag 2";
    EXPECT_EQ(dialogs.font("t", FontChoice{}), std::nullopt) << "colour beyond 24 bits";
    EXPECT_EQ(dialogs.font("t", FontChoice{}), std::nullopt) << "too few items";
    EXPECT_EQ(dialogs.print("t"), std::nullopt);
    EXPECT_EQ(dialogs.print("t"), std::nullopt) << "empty pdf path";
    EXPECT_EQ(dialogs.input("p", "t", "d"), "z") << "the next dialog takes the next line";
    for (size_t i = 0; i + 1 < dialogs.records().size(); ++i) {
        if (i != 2) {
            EXPECT_EQ(dialogs.records()[i].answer, "Cancel") << i;
        }
    }
}

TEST(ScriptedDialogs, AnswerWordsIgnoreCaseAndCancelFitsEveryDialog)
{
    ScriptedDialogs dialogs({"yes", "ok", "CANCEL", "Cancel", "cancel", "Cancel", "Cancel", "Text:Abc"});
    EXPECT_EQ(dialogs.message("m", "t", MessageIcon::None, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(dialogs.message("m", "t", MessageIcon::None, MessageButtons::OkCancel), MessageAnswer::Ok);
    EXPECT_EQ(dialogs.message("m", "t", MessageIcon::None, MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(dialogs.input("p", "t", ""), std::nullopt);
    EXPECT_EQ(dialogs.saveFile("t", "", ""), std::nullopt);
    EXPECT_EQ(dialogs.font("t", {}), std::nullopt);
    EXPECT_EQ(dialogs.print("t"), std::nullopt);
    EXPECT_EQ(dialogs.input("p", "t", ""), "Abc") << "the value keeps its case";
}

TEST(ScriptedDialogs, FontNamesMayHoldCommas)
{
    ScriptedDialogs dialogs({"font:Foo, Bar,10,0,1,0,1,16711680"});
    const auto font = dialogs.font("Font", FontChoice{"Arial", 24});
    ASSERT_TRUE(font);
    EXPECT_EQ(*font, (FontChoice{"Foo, Bar", 10, false, true, false, true, 16711680}));
    EXPECT_EQ(dialogs.records()[0].defaultValue, "font:Arial,24,0,0,0,0,0");
    EXPECT_EQ(dialogs.records()[0].answer, "font:Foo, Bar,10,0,1,0,1,16711680");
}

TEST(ScriptedDialogs, LogHoldsOneExactJsonObjectPerDialog)
{
    TestFolder folder;
    const std::string log = folder.str() + "/answers.txt.log";
    folder.write("answers.txt.log", "");
    ScriptedDialogs dialogs({"No", "text:a \"b\"\\c", "file:/x/r.xls"}, log);
    dialogs.message("r.xls already exists.\r\n\r\nDo you want to overwrite it?", "Confirm File Replace",
                    MessageIcon::Question, MessageButtons::YesNo);
    dialogs.input("Enter the number of columns you wish to distribute to (1-10)", "Number of Columns", "1");
    dialogs.saveFile("Please choose a name for the results file", "Quiz results.xls",
                     "XLS files (*.xls)|*.xls");
    dialogs.print("Print");
    dialogs.message("caf\xC3\xA9\ttab\x01", "talvix", MessageIcon::Exclamation, MessageButtons::Ok);
    EXPECT_EQ(
        folder.read("answers.txt.log"),
        "{\"kind\":\"message\",\"title\":\"Confirm File Replace\","
        "\"text\":\"r.xls already exists.\\r\\n\\r\\nDo you want to overwrite it?\",\"icon\":\"question\","
        "\"buttons\":\"yesno\",\"default\":\"\",\"answer\":\"No\"}\n"
        "{\"kind\":\"input\",\"title\":\"Number of Columns\","
        "\"text\":\"Enter the number of columns you wish to distribute to (1-10)\",\"icon\":\"none\","
        "\"buttons\":\"\",\"default\":\"1\",\"answer\":\"text:a \\\"b\\\"\\\\c\"}\n"
        "{\"kind\":\"save\",\"title\":\"Please choose a name for the results file\",\"text\":\"\","
        "\"icon\":\"none\",\"buttons\":\"\",\"default\":\"Quiz results.xls\",\"answer\":\"file:/x/r.xls\"}\n"
        "{\"kind\":\"print\",\"title\":\"Print\",\"text\":\"\",\"icon\":\"none\",\"buttons\":\"\","
        "\"default\":\"\",\"answer\":\"Cancel\"}\n"
        "{\"kind\":\"message\",\"title\":\"talvix\",\"text\":\"caf\xC3\xA9\\ttab\\u0001\","
        "\"icon\":\"exclamation\",\"buttons\":\"ok\",\"default\":\"\",\"answer\":\"OK\"}\n");
}

TEST(ScriptedDialogs, AnswersFileTakesCrLfAndLfLinesAndItsLogSitsBesideIt)
{
    TestFolder folder;
    const auto answers = folder.write("answers", "OK\r\ntext:two words\n\nfile:last.quz").string();
    EXPECT_EQ(readAnswerLines(answers),
              (std::vector<std::string>{"OK", "text:two words", "", "file:last.quz"}));
    ScriptedDialogs dialogs = ScriptedDialogs::fromFile(answers);
    EXPECT_EQ(dialogs.logPath(), answers + ".log");
    EXPECT_EQ(dialogs.answersLeft(), 4u);
    dialogs.message("m", "t", MessageIcon::None, MessageButtons::Ok);
    dialogs.message("m2", "t", MessageIcon::None, MessageButtons::Ok);
    const std::string log = folder.read("answers.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
    EXPECT_NE(log.find("\"text\":\"m2\""), std::string::npos);

    // A missing answers file means no lines; the log is still written.
    EXPECT_TRUE(readAnswerLines(folder.str() + "/none").empty());
    ScriptedDialogs none = ScriptedDialogs::fromFile(folder.str() + "/none");
    EXPECT_EQ(none.message("m", "t", MessageIcon::None, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_FALSE(folder.read("none.log").empty());
}
