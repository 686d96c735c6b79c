#include "hostfixture.h"

#include "core/quiz/quizrounds.h"

#include <QJsonArray>

namespace quiz
{
namespace
{

using test::HostFolder;

std::vector<std::string> recordedMacros(const QJsonObject &file)
{
    std::vector<std::string> out;
    for (const QJsonValue &value : file.value("macros").toArray()) {
        std::string line = value.toObject().value("name").toString().toStdString();
        for (const QJsonValue &arg : value.toObject().value("args").toArray())
            line += " " + arg.toString().toStdString();
        out.push_back(line);
    }
    return out;
}

TEST_F(HostFolder, FindVoteSlidesListsOneQuestionFilePerVotingSlide)
{
    host->runMacro("FindVoteSlides", {});
    // Windows run string, lower-case shape name with a Linux path, the slide's
    // tag for a shape without run string, a quoted program path with a blank;
    // the second VOTE shape of a slide is not listed.
    EXPECT_EQ(folder.read("quizslds.txt"), "\"q1.tlx\"\r\n\"q2.tlx\"\r\n\"q3.tlx\"\r\n\"q4.tlx\"\r\n");
    EXPECT_EQ(recordedMacros(fileJson()), (std::vector<std::string>{"FindVoteSlides"}));
}

TEST(FindVoteSlides, WithoutVotingSlidesWritesAnEmptyFileAndOnAnUnsavedPresentationFails)
{
    test::TestFolder other;
    const auto path = other.write("h.json", R"({"presentations": [{"path": "deck/show.pptx",
        "slides": [{"title": "a", "shapes": [{"name": "QUIZ", "run": "quiz quiz.quz,DISPLAY"}]}]}]})");
    auto plain = StandInHost::open(path.string(), nullptr);
    ASSERT_TRUE(plain);
    std::filesystem::create_directories(other.path() / "deck");
    plain->runMacro("FindVoteSlides", {});
    ASSERT_TRUE(std::filesystem::exists(other.path() / "deck/quizslds.txt"));
    EXPECT_EQ(other.read("deck/quizslds.txt"), "");

    const auto unsavedPath = other.write("u.json", R"({"presentations": [{"path": "", "slides": []}]})");
    auto unsaved = StandInHost::open(unsavedPath.string(), nullptr);
    ASSERT_TRUE(unsaved);
    EXPECT_THROW(unsaved->runMacro("FindVoteSlides", {}), HostError);
}

TEST_F(HostFolder, ShowEditStartsAndEndsTheShow)
{
    host->runMacro("EndShowEdit", {});
    EXPECT_EQ(host->slideShowWindowCount(), 0);
    ASSERT_EQ(host->windows().size(), 1u);

    host->runMacro("StartShowEdit", {"4"});
    auto again = openHost();
    EXPECT_EQ(again->slideShowWindowCount(), 1);
    EXPECT_EQ(again->slideShowCurrentSlide(), 4);
    EXPECT_EQ(again->slideShowWindowRect(), (PixelRect{0, 0, 320, 240})); // the show's window as before
    const auto windows = again->windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0].title, "PowerPoint Slide Show - [show.pptx]");

    host->runMacro("StartShowEdit", {"99"}); // no such slide: from the first
    EXPECT_EQ(host->slideShowCurrentSlide(), 1);
    EXPECT_EQ(host->windows().size(), 2u); // still one show window
    EXPECT_EQ(recordedMacros(fileJson()),
              (std::vector<std::string>{"EndShowEdit", "StartShowEdit 4", "StartShowEdit 99"}));
}

TEST_F(HostFolder, AddVoteToSlideAttachesTheQuizToTheShownSlide)
{
    host->setProgramPath("/usr/bin/quiz");
    host->runMacro("AddVoteToSlide", {"round2.quz"});
    const HostSlide results = host->slide(6);
    ASSERT_EQ(results.shapes.size(), 2u);
    EXPECT_EQ(results.shapes[1].name, "QUIZ");
    EXPECT_EQ(results.shapes[1].runString, "/usr/bin/quiz round2.quz,DISPLAY");
    EXPECT_EQ(quizFileOfRunString(results.shapes[1].runString), "round2.quz");

    // The same quiz again replaces its shape; the show's slide stays the target.
    host->setProgramPath("/opt/my apps/quiz");
    host->runMacro("addVoteToSlide", {"ROUND2.quz"});
    const HostSlide again = openHost()->slide(6);
    ASSERT_EQ(again.shapes.size(), 2u);
    EXPECT_EQ(again.shapes[1].runString, "\"/opt/my apps/quiz\" ROUND2.quz,DISPLAY");
    EXPECT_EQ(quizFileOfRunString(again.shapes[1].runString), "ROUND2.quz");
}

TEST_F(HostFolder, AddVoteToSlideWithoutShowUsesTheSelectedSlide)
{
    host->runMacro("EndShowEdit", {});
    host->setProgramPath("quiz");
    host->runMacro("AddVoteToSlide", {"quiz.quz"});
    const HostSlide selected = host->slide(2);
    ASSERT_EQ(selected.shapes.size(), 2u);
    EXPECT_EQ(selected.shapes[1].runString, "quiz quiz.quz,DISPLAY");
    EXPECT_THROW(host->runMacro("AddVoteToSlide", {}), HostError);
}

TEST_F(HostFolder, BrevakIsRecordedAndUnknownMacrosFailAfterBeingRecorded)
{
    host->runMacro("Brevak", {});
    EXPECT_THROW(host->runMacro("NoSuchMacro", {"1", "two"}), HostError);
    EXPECT_EQ(recordedMacros(fileJson()), (std::vector<std::string>{"Brevak", "NoSuchMacro 1 two"}));
    EXPECT_EQ(host->slideShowCurrentSlide(), 6);
}

} // namespace
} // namespace quiz
