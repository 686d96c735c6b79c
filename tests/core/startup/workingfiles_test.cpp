#include "core/startup/workingfiles.h"
#include "support/testfolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace quiz;
using quiz::test::TestFolder;

namespace
{

QuizState stateIn(const TestFolder &addin, const TestFolder &data)
{
    QuizState state;
    state.addinFolder = addin.str() + "/";
    state.dataFolder = data.str();
    return state;
}

size_t fileCount(const TestFolder &dir)
{
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir.path()), {}));
}

} // namespace

TEST(ReadTlxIni, ChartFadeFollowsTheItemAfterTheKey)
{
    struct Case {
        const char *fileName;
        const char *content;
        bool chartFade;
    } cases[] = {
        {"tlx.ini", "\"CHART FADE\",0\r\n", false},
        {"tlx.ini", "\"chart fade\",1\r\n", true},
        {"tlx.ini", "\"OTHER\",1\r\n\"CHART FADE\",\"2\"\r\n", true},
        {"tlx.ini", "CHART FADE\n1\n", true},
        {"tlx.ini", "\"CHART FADE\"\r\n", false}, // no value: 0
        {"tlx.ini", "\"CHART FADE\",abc", false},
        {"tlx.ini", "\"CHART FADES\",1", false},
        {"tlx.ini", "\"CHART FADE\",0,\"CHART FADE\",1", false}, // the first key counts
        {"TLX.INI", "\"CHART FADE\",1", true},                   // found ignoring case
        {"other.ini", "\"CHART FADE\",1", false},                // no tlx.ini
    };
    for (const auto &c : cases) {
        TestFolder addin, data;
        addin.write(c.fileName, c.content);
        QuizState state = stateIn(addin, data);
        ReadTlxIni(state);
        EXPECT_EQ(state.chartFade, c.chartFade) << c.fileName << ": " << c.content;
    }
}

TEST(LoadValidKeypads, OneFlagPerDigit)
{
    struct Case {
        const char *content;
        std::vector<int> valid;
    } cases[] = {
        {"1101\r\n", {0, 1, 1, 0, 1}}, {"\"1101\"", {0, 1, 1, 0, 1}}, {"1a2", {0, 1, 0, 2}}, {"", {0}},
        {"11,00", {0, 1, 1}}, // only the first item
    };
    for (const auto &c : cases) {
        TestFolder addin, data;
        data.write("valid.kpd", c.content);
        QuizState state = stateIn(addin, data);
        LoadValidKeypads(state, data.str() + "/valid.kpd");
        EXPECT_EQ(state.validKeypads, c.valid) << c.content;
    }
}

TEST(LoadValidKeypads, WithoutTheFileKeypadsZeroTo649AreValid)
{
    TestFolder addin, data;
    QuizState state = stateIn(addin, data);
    state.validKeypads = {0, 1};
    LoadValidKeypads(state, data.str() + "/valid.kpd");
    ASSERT_EQ(state.validKeypads.size(), 651u);
    EXPECT_EQ(state.validKeypads[0], 1);
    EXPECT_EQ(state.validKeypads[649], 1);
    EXPECT_EQ(state.validKeypads[650], 0);
}

TEST(LoadValidKeypads, FindsTheFileIgnoringCase)
{
    TestFolder addin, data;
    data.write("VALID.KPD", "01");
    QuizState state = stateIn(addin, data);
    LoadValidKeypads(state, data.str() + "/valid.kpd");
    EXPECT_EQ(state.validKeypads, (std::vector<int>{0, 0, 1}));
}

TEST(Markers, ActiveMarkerHoldsBlah)
{
    TestFolder addin, data;
    const QuizState state = stateIn(addin, data);
    ASSERT_TRUE(WriteQuizActiveMarker(state));
    EXPECT_EQ(addin.read("quizActive.txt"), "\"Blah\"\r\n");
}

TEST(Markers, ActiveMarkerOverwritesALowerCaseOne)
{
    TestFolder addin, data;
    addin.write("quizactive.txt", "old");
    const QuizState state = stateIn(addin, data);
    ASSERT_TRUE(WriteQuizActiveMarker(state));
    EXPECT_EQ(addin.read("quizactive.txt"), "\"Blah\"\r\n");
    EXPECT_EQ(fileCount(addin), 1u);
}

TEST(Markers, InsertCompleteRemovesTheActiveMarker)
{
    TestFolder addin, data;
    const QuizState state = stateIn(addin, data);
    ASSERT_TRUE(WriteQuizActiveMarker(state));
    ASSERT_TRUE(WriteInsertCompleteMarker(state));
    EXPECT_EQ(addin.read("QuizInsertComplete.txt"), "\"Quiz insert complete\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(addin.path() / "quizActive.txt"));
    EXPECT_EQ(fileCount(addin), 1u);
    // Written again when there is no active marker.
    ASSERT_TRUE(WriteInsertCompleteMarker(state));
    EXPECT_EQ(fileCount(addin), 1u);
}

TEST(Markers, RemovingTheActiveMarkerIgnoresCaseAndAMissingFile)
{
    TestFolder addin, data;
    addin.write("QUIZACTIVE.TXT", "\"Blah\"\r\n");
    addin.write("other.txt", "");
    const QuizState state = stateIn(addin, data);
    RemoveQuizActiveMarker(state);
    EXPECT_EQ(fileCount(addin), 1u);
    RemoveQuizActiveMarker(state);
    EXPECT_TRUE(std::filesystem::exists(addin.path() / "other.txt"));
}

TEST(Markers, AFailedWriteSaysWhy)
{
    QuizState state;
    state.addinFolder = "/nonexistent-folder-of-quiz-tests/";
    std::string error;
    EXPECT_FALSE(WriteQuizActiveMarker(state, &error));
    EXPECT_FALSE(error.empty());
}

TEST(ResetDisplayPositions, SizesToThePlacesAndResetsEach)
{
    QuizState state;
    state.displayCount = 3;
    ResetDisplayPositions(state);
    ASSERT_EQ(state.annotationPositions.size(), 4u);
    ASSERT_EQ(state.rankLabelPositions.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(state.rankLabelPositions[i], (PointD{3000, 600}));
        EXPECT_EQ(state.annotationPositions[i][0], (PointD{-1, -1}));
        EXPECT_EQ(state.annotationPositions[i][1], (PointD{-1, -1}));
    }
    // The extra entry is sized but not reset.
    EXPECT_EQ(state.rankLabelPositions[3], (PointD{0, 0}));
}

TEST(ResetDisplayPositions, KeepsWhatItDoesNotReset)
{
    QuizState state;
    state.displayCount = 5;
    ResetDisplayPositions(state);
    state.annotationPositions[1][2] = PointD{7, 8};
    state.annotationPositions[1][0] = PointD{5, 5};
    state.rankLabelPositions[5] = PointD{9, 9};
    state.displayCount = 2;
    ResetDisplayPositions(state);
    ASSERT_EQ(state.annotationPositions.size(), 3u);
    EXPECT_EQ(state.annotationPositions[1][2], (PointD{7, 8}));
    EXPECT_EQ(state.annotationPositions[1][0], (PointD{-1, -1}));
    state.displayCount = 6;
    ResetDisplayPositions(state);
    ASSERT_EQ(state.rankLabelPositions.size(), 7u);
    EXPECT_EQ(state.rankLabelPositions[5], (PointD{3000, 600}));
    EXPECT_EQ(state.rankLabelPositions[6], (PointD{0, 0}));
}
