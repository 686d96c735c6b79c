// Every committed fuzzing input goes through its reader again, so that what
// the fuzzers once found stays fixed (fuzz/corpus/<reader>/<input>).
#include "readers.h"
#include "support/rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace
{

const fs::path corpusRoot{QUIZ_FUZZ_CORPUS};

std::vector<fs::path> corpusFiles()
{
    std::vector<fs::path> files;
    for (const auto &entry : fs::recursive_directory_iterator(corpusRoot))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class CorpusReplay : public ::testing::TestWithParam<fs::path>
{
};

TEST_P(CorpusReplay, ReaderHoldsItsRules)
{
    const fs::path &file = GetParam();
    const auto *reader = quiz::fuzz::findReader(file.parent_path().filename().string());
    ASSERT_NE(reader, nullptr) << "no reader for the corpus folder of " << file;
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NO_THROW(reader->read(bytes)) << file;
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusReplay, ::testing::ValuesIn(corpusFiles()),
                         [](const ::testing::TestParamInfo<fs::path> &info) {
                             return quiz::test::testName(info.param.parent_path().filename().string() + "_" +
                                                         info.param.filename().string());
                         });

TEST(CorpusReplay, EveryReaderHasSeeds)
{
    for (const auto &reader : quiz::fuzz::readers()) {
        const fs::path dir = corpusRoot / reader.name;
        EXPECT_TRUE(fs::is_directory(dir) && !fs::is_empty(dir)) << reader.name;
    }
}

} // namespace
