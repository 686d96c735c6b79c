#include "core/common/savefile.h"
#include "fakes/fakedialogs.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace quiz;

using SaveQuestionRows = test::RowTest;

TEST_P(SaveQuestionRows, AskReplaceOrRefuse)
{
    const test::Row &r = GetParam();
    test::TestFolder folder;
    folder.write("old", "x");
    test::FakeDialogs dialogs;
    for (const std::string &name : r.list(0, ';'))
        dialogs.textAnswers.push_back(name == "cancel"  ? std::nullopt
                                      : name == "empty" ? std::optional<std::string>("")
                                                        : folder.str() + "/" + name);
    for (const std::string &answer : r.list(1))
        dialogs.messageAnswers.push_back(answer == "Yes"  ? MessageAnswer::Yes
                                         : answer == "No" ? MessageAnswer::No
                                                          : MessageAnswer::Cancel);
    const auto has = [&](const char *option) { return std::ranges::count(r.list(2), option) > 0; };
    SaveQuestions q;
    q.askName = [&] { return dialogs.saveFile("Save", "", ""); };
    q.pathFor = [&](const std::string &name) -> std::optional<std::string> {
        if (!name.ends_with("/x1"))
            return name;
        dialogs.message("no", "Bad name", MessageIcon::Information, MessageButtons::Ok);
        return std::nullopt;
    };
    q.noAsksAgain = has("again");
    q.ignoreCase = has("case");
    if (has("quiet"))
        q.askBeforeReplacing = [](const std::string &) { return false; };
    q.replaceText = [](const std::string &path) { return "Replace " + path; };
    q.replaceTitle = "Replace?";
    q.replaceButtons = has("ync") ? MessageButtons::YesNoCancel : MessageButtons::YesNo;
    q.cannotReplace = [&](const std::string &) { return has("locked"); };
    q.refusalTitle = "Locked";

    const ChosenSave chosen = chooseSaveFile(q, dialogs);
    const std::string outcome = chosen.choice == SaveChoice::Chosen
                                    ? "chosen:" + chosen.path.substr(folder.str().size() + 1)
                                : chosen.choice == SaveChoice::Refused ? "refused"
                                                                       : "cancelled";
    EXPECT_EQ(outcome, r[3]);
    std::string shown;
    size_t message = 0;
    for (const std::string &kind : dialogs.kinds)
        shown += (shown.empty() ? "" : ";") + (kind == "message" ? dialogs.messages[message++].title : kind);
    EXPECT_EQ(shown, r[4]);
    std::vector<std::string> files;
    for (const auto &entry : std::filesystem::directory_iterator(folder.path()))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, r.list(5));
}
QUIZ_ROWS(SaveQuestionRows, "common/savefile.rows");
