#include "core/common/text.h"
#include "core/startup/workingfiles.h"
#include "support/rows.h"
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

using Files = quiz::test::RowTest;

// tlx.ini's chart fade follows the item after its key; valid.kpd gives a flag per digit.
TEST_P(Files, TlxIniAndValidKpd)
{
    const quiz::test::Row &r = GetParam();
    TestFolder addin, data;
    const bool ini = toLower(r[0]).ends_with(".ini");
    (ini ? addin : data).write(r[0], r[1]);
    QuizState state = stateIn(addin, data);
    state.validKeypads = {0, 1};
    if (ini)
        ReadTlxIni(state);
    else
        LoadValidKeypads(state, data.str() + "/valid.kpd");
    std::vector<float> expected;
    for (const std::string &item : r.list(2)) // "N*V": N times V
        expected.insert(expected.end(), item.find('*') == std::string::npos ? 1 : std::stoi(item),
                        std::stof(item.substr(item.find('*') + 1)));
    EXPECT_EQ(ini ? std::vector<float>{float(state.chartFade)}
                  : std::vector<float>(state.validKeypads.begin(), state.validKeypads.end()),
              expected);
}
QUIZ_ROWS(Files, "startup/workingfiles.rows");

// The active and insert-complete markers replace each other, whatever the case of
// the file there; removing ignores a missing file; a failed write says why. The
// insert-complete marker's text is checked by the scenario display-one-slide.
TEST(Markers, ActiveAndInsertCompleteMarkersReplaceEachOther)
{
    TestFolder addin, data;
    addin.write("QUIZACTIVE.TXT", "old");
    addin.write("other.txt", "");
    const QuizState state = stateIn(addin, data);
    ASSERT_TRUE(WriteQuizActiveMarker(state));
    EXPECT_EQ(addin.read("QUIZACTIVE.TXT"), "\"Blah\"\r\n");
    EXPECT_EQ(fileCount(addin), 2u);
    ASSERT_TRUE(WriteInsertCompleteMarker(state));
    EXPECT_EQ(fileCount(addin), 2u) << "the active marker is gone";
    ASSERT_TRUE(WriteInsertCompleteMarker(state)); // again, without an active marker
    ASSERT_TRUE(WriteQuizActiveMarker(state));
    EXPECT_EQ(addin.read("quizActive.txt"), "\"Blah\"\r\n");
    RemoveQuizActiveMarker(state);
    RemoveQuizActiveMarker(state);
    EXPECT_EQ(fileCount(addin), 2u);

    QuizState nowhere;
    nowhere.addinFolder = "/nonexistent-folder-of-quiz-tests/";
    std::string error;
    EXPECT_FALSE(WriteQuizActiveMarker(nowhere, &error));
    EXPECT_FALSE(error.empty());
}

TEST(ResetDisplayPositions, SizesToThePlacesAndResetsEachButNotTheExtraEntryOrTheThirdPoint)
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
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(state.rankLabelPositions[i], (PointD{3000, 600}));
        EXPECT_EQ(state.annotationPositions[i][0], (PointD{-1, -1}));
        EXPECT_EQ(state.annotationPositions[i][1], (PointD{-1, -1}));
    }
    state.displayCount = 6;
    ResetDisplayPositions(state);
    ASSERT_EQ(state.rankLabelPositions.size(), 7u);
    EXPECT_EQ(state.rankLabelPositions[5], (PointD{3000, 600}));
    EXPECT_EQ(state.rankLabelPositions[6], (PointD{0, 0}));
}
