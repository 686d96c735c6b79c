#include "hostfixture.h"

#include <QDir>
#include <QJsonArray>

#include <cstdlib>

namespace quiz
{
namespace
{

using test::HostFolder;
using test::TestFolder;

// --- opening

using BadHost = test::RowTest;

TEST_P(BadHost, GivesAClearErrorAndNoHost)
{
    TestFolder folder;
    const std::string path = GetParam()[0] == "none" ? (folder.path() / "missing.json").string()
                                                     : folder.write("host.json", GetParam()[0]).string();
    std::string error;
    EXPECT_EQ(StandInHost::open(path, &error), nullptr);
    EXPECT_NE(error.find(GetParam()[1]), std::string::npos) << error;
    EXPECT_NE(error.find(path), std::string::npos) << error;
}
QUIZ_ROWS(BadHost, "standinhost/badhosts.rows");

TEST(Opening, NoHostFileNamedSaysHowToNameOne)
{
    std::string error;
    EXPECT_EQ(StandInHost::open("", &error), nullptr);
    EXPECT_NE(error.find("--host"), std::string::npos) << error;
}

TEST(Opening, HostFilePathPrefersTheOptionOverTheEnvironment)
{
    ::setenv("TALVIX_HOST", "/from/env.json", 1);
    EXPECT_EQ(StandInHost::hostFilePath("/from/option.json"), "/from/option.json");
    EXPECT_EQ(StandInHost::hostFilePath(""), "/from/env.json");
    ::unsetenv("TALVIX_HOST");
    EXPECT_EQ(StandInHost::hostFilePath(""), "");
}

// --- reading

TEST_F(HostFolder, RelativePathsResolveAgainstTheHostFilesFolder)
{
    const std::string base = QDir(QString::fromStdString(folder.str())).canonicalPath().toStdString();
    EXPECT_TRUE(host->attach());
    EXPECT_EQ(host->addinFolder("TALVIX"), base + "/addin");
    EXPECT_EQ(host->presentationCount(), 1);
    EXPECT_EQ(host->activePresentationPath(), base + "/show.pptx");
    EXPECT_DOUBLE_EQ(host->pageWidth(), 720);
    EXPECT_DOUBLE_EQ(host->pageHeight(), 540);
    EXPECT_EQ(host->activeWindowViewType(), 9);
    EXPECT_EQ(host->selectedSlideIndex(), 2);
    try {
        host->addinFolder("other");
        FAIL() << "an unknown add-in is no error";
    } catch (const HostError &e) {
        EXPECT_NE(e.number(), 0);
        EXPECT_NE(std::string(e.what()).find("other"), std::string::npos);
    }
}

TEST_F(HostFolder, SlidesCarryShapesRunStringsAndTags)
{
    EXPECT_EQ(host->slideCount(), 6);
    const HostSlide s2 = host->slide(2);
    EXPECT_EQ(s2.title, "Question 1");
    EXPECT_EQ(s2.tags.at("QuiztlxName"), "q1.tlx");
    ASSERT_EQ(s2.shapes.size(), 1u);
    EXPECT_EQ(s2.shapes[0].name, "VOTE");
    EXPECT_EQ(s2.shapes[0].runString, "C:\\Talvix\\vote.exe q1.tlx,1");
    EXPECT_EQ(s2.shapes[0].tags.at("QuiztlxName"), "q1.tlx");
    EXPECT_TRUE(s2.shapes[0].visible);
    EXPECT_THROW(host->slide(0), HostError);
    EXPECT_THROW(host->slide(7), HostError);
}

TEST_F(HostFolder, NoActivePresentationMeansNoneOpen)
{
    test::TestFolder other;
    const auto path =
        other.write("h.json", R"({"activePresentation": -1, "presentations": [{"path": "a.pptx"}]})");
    auto none = StandInHost::open(path.string(), nullptr);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->presentationCount(), 0);
    EXPECT_THROW(none->activePresentationPath(), HostError);
    EXPECT_EQ(none->slideShowWindowCount(), 0);
    EXPECT_THROW(none->slideShowCurrentSlide(), HostError);

    const auto unsaved = other.write("u.json", R"({"presentations": [{"path": ""}]})");
    auto fresh = StandInHost::open(unsaved.string(), nullptr);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->presentationCount(), 1);
    EXPECT_EQ(fresh->activePresentationPath(), "");
}

// --- changes written back

TEST_F(HostFolder, SlideTitleAndTagsAreWrittenBack)
{
    host->setSlideTitle(3, "Which planet?");
    host->setSlideTag(3, "QuiztlxName", "q2.tlx");
    host->deleteShapeTag(2, "VOTE", "QuiztlxName");
    host->deleteShapeTag(2, "VOTE", "NoSuchTag");
    EXPECT_THROW(host->deleteShapeTag(2, "NoShape", "x"), HostError);

    auto again = openHost();
    EXPECT_EQ(again->slide(3).title, "Which planet?");
    EXPECT_EQ(again->slide(3).tags.at("QuiztlxName"), "q2.tlx");
    EXPECT_TRUE(again->slide(2).shapes[0].tags.empty());
}

TEST_F(HostFolder, PastedPictureBecomesAShapeWithItsPngBesideTheFile)
{
    const std::string chart = writePicture("chart.png", 96, 48, Qt::green);
    const std::string name = host->pastePicture(6, chart);
    EXPECT_EQ(name, "Picture 1");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "inserted/6-1.png"));

    host->updateShape(6, name, HostShape{"talvix chart 1A", "", {}, 180, 135, 380, 278, true});

    auto again = openHost();
    const HostSlide results = again->slide(6);
    ASSERT_EQ(results.shapes.size(), 2u);
    const HostShape &stored1 = results.shapes[1];
    EXPECT_EQ(stored1.name, "talvix chart 1A");
    EXPECT_EQ(std::vector<double>({stored1.left, stored1.top, stored1.width, stored1.height}),
              (std::vector<double>{180, 135, 380, 278}));
    const QJsonObject stored = fileSlide(6).value("shapes").toArray().at(1).toObject();
    EXPECT_EQ(stored.value("picture").toString(), "inserted/6-1.png");
    const QImage saved(QString::fromStdString((folder.path() / "inserted/6-1.png").string()));
    EXPECT_EQ(saved.size(), QSize(96, 48));

    // The next paste takes a new name and file; deleting a shape removes its file.
    EXPECT_EQ(again->pastePicture(6, chart), "Picture 2");
    again->deleteShape(6, "talvix chart 1A");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "inserted/6-1.png"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "inserted/6-2.png"));
    EXPECT_THROW(again->deleteShape(6, "talvix chart 1A"), HostError);
    ASSERT_EQ(openHost()->slide(6).shapes.size(), 2u);
}

TEST_F(HostFolder, PastingWhatIsNoPictureFailsWithoutChangingTheSlide)
{
    const auto notPicture = folder.write("notes.txt", "hello").string();
    EXPECT_THROW(host->pastePicture(6, notPicture), HostError);
    EXPECT_THROW(host->pastePicture(9, writePicture("p.png", 4, 4, Qt::black)), HostError);
    EXPECT_EQ(openHost()->slide(6).shapes.size(), 1u);
}

TEST_F(HostFolder, WritesLeaveOnlyACompleteFile)
{
    for (int i = 0; i < 5; ++i)
        host->setSlideTitle(1, "Title " + std::to_string(i));
    EXPECT_EQ(fileSlide(1).value("title").toString(), "Title 4");
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"host.json", "slides"}));
}

TEST_F(HostFolder, ChangesMadeByOthersAreSeen)
{
    std::string text = folder.read("host.json");
    const auto at = text.find("\"slide\": 6");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 10, "\"slide\": 3, \"extra\": 1");
    folder.write("host.json", text);
    EXPECT_EQ(host->slideShowCurrentSlide(), 3);
}

// --- the slide show

TEST_F(HostFolder, ShowAndMainWindowsAreListedAndTheirChangesWrittenBackWithStableHandles)
{
    const auto before = host->windows();
    ASSERT_EQ(before.size(), 2u);
    EXPECT_EQ(before[0].title, "PowerPoint Slide Show - [show.pptx]");
    EXPECT_EQ(before[0].rect, (PixelRect{0, 0, 320, 240}));
    EXPECT_EQ(before[1].title, "Microsoft PowerPoint - [show.pptx]");
    EXPECT_EQ(before[1].rect, (PixelRect{10, 20, 640, 480}));
    EXPECT_EQ(host->slideShowWindowCount(), 1);
    EXPECT_EQ(host->slideShowCurrentSlide(), 6);
    const long long main = before[1].handle, show = before[0].handle;
    host->setWindowEnabled(main, false);
    host->setSlideShowPointerType(3);
    host->raiseWindow(main);
    EXPECT_THROW(host->setWindowEnabled(4242, false), HostError);

    auto again = openHost();
    const auto after = again->windows();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0].handle, main); // raised to the top
    EXPECT_FALSE(after[0].enabled);
    EXPECT_EQ(after[1].handle, show);
    EXPECT_TRUE(after[1].enabled);
    EXPECT_EQ(again->slideShowPointerType(), 3);

    again->moveWindow(show, {5, 6, 400, 300});
    EXPECT_EQ(openHost()->slideShowWindowRect(), (PixelRect{5, 6, 400, 300}));
    again->activateWindow(show);
    EXPECT_EQ(fileJson().value("activeWindow").toString(), "PowerPoint Slide Show - [show.pptx]");
    again->closeWindow(show);
    EXPECT_EQ(openHost()->slideShowWindowCount(), 0);
}

TEST_F(HostFolder, CaptureIsTheSlidesPictureAtTheWindowsSize)
{
    const auto out = (folder.path() / "capture.png").string();
    host->captureSlideShow(out);
    const QImage shot(QString::fromStdString(out));
    EXPECT_EQ(shot.size(), QSize(320, 240));
    EXPECT_EQ(shot.pixelColor(160, 120), QColor(Qt::blue));

    // A slide without a picture shows white; a pasted picture shows on the slide.
    host->runMacro("StartShowEdit", {"3"});
    host->pastePicture(3, writePicture("chart.png", 40, 40, Qt::green));
    // Placed on the slide's top-left quarter.
    host->updateShape(3, "Picture 1", HostShape{"talvix chart 1A", "", {}, 0, 0, 360, 270, true});
    const auto bmp = (folder.path() / "bcktemp.bmp").string();
    host->captureSlideShow(bmp);
    const QImage second(QString::fromStdString(bmp));
    EXPECT_EQ(second.size(), QSize(320, 240));
    EXPECT_EQ(second.pixelColor(300, 200), QColor(Qt::white));
    EXPECT_EQ(second.pixelColor(40, 40), QColor(Qt::green));
    EXPECT_EQ(second.pixelColor(200, 40), QColor(Qt::white));
    host->runMacro("EndShowEdit", {});
    EXPECT_THROW(host->captureSlideShow((folder.path() / "c.png").string()), HostError);
}

} // namespace
} // namespace quiz
