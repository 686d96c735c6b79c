#include "adapters/dialogs/unattendeddialogs.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(UnattendedDialogs, AnswersTheOutputFileAndTellsTheMessages)
{
    std::vector<std::string> notes;
    UnattendedDialogs dialogs("/out/r.xls", [&](const std::string &line) { notes.push_back(line); });
    EXPECT_EQ(dialogs.saveFile("t", "/data/x.xls", "XLS files (*.xls)|*.xls"),
              std::optional<std::string>("/out/r.xls"));
    const std::optional<PrintTarget> target = dialogs.print("Print");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->pdfPath, "/out/r.xls");
    EXPECT_EQ(target->printerName, "");
    EXPECT_EQ(dialogs.message("/out/r.xls already exists.\r\n\r\nDo you want to overwrite it?",
                              "Confirm File Replace", MessageIcon::Question, MessageButtons::YesNo),
              MessageAnswer::Yes);
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(
        dialogs.message("Done to\r\n/out/r.xls", "talvix", MessageIcon::Information, MessageButtons::Ok),
        MessageAnswer::Ok);
    EXPECT_EQ(notes, (std::vector<std::string>{"talvix: Done to /out/r.xls"}));
    EXPECT_FALSE(dialogs.input("p", "t", "d"));
    EXPECT_FALSE(dialogs.openFile("t", "", ""));
    EXPECT_FALSE(dialogs.font("t", FontChoice{}));
}

TEST(UnattendedOutputPath, RelativeNamesAreTakenFromTheStartFolder)
{
    EXPECT_EQ(unattendedOutputPath(nullptr, "/home/ann"), "");
    EXPECT_EQ(unattendedOutputPath("", "/home/ann"), "");
    EXPECT_EQ(unattendedOutputPath("/tmp/r.xls", "/home/ann"), "/tmp/r.xls");
    EXPECT_EQ(unattendedOutputPath("r.xls", "/home/ann"), "/home/ann/r.xls");
    EXPECT_EQ(unattendedOutputPath("out/r.pdf", "/home/ann/"), "/home/ann/out/r.pdf");
    EXPECT_EQ(unattendedOutputPath("r.xls", ""), "r.xls");
}

} // namespace
} // namespace quiz
