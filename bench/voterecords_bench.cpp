// Loading the vote records of a large meeting: 10,000 keypads, 500 questions,
// each voted three times, answers in list form, plus one response record per
// question with decimal commas.
#include "core/quiz/lookupvotes.h"
#include "core/votedata/voterecords.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace
{

constexpr int kKeypads = 10000;
constexpr int kQuestions = 500;
constexpr int kRecordsPerQuestion = 3;

class MeetingFolder
{
  public:
    MeetingFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quizbench.XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
        std::mt19937 random(42);
        std::ofstream votes(path_ / "votes.rec", std::ios::binary);
        for (int r = 0; r < kRecordsPerQuestion; ++r)
            for (int q = 1; q <= kQuestions; ++q) {
                std::string line = "C:\\Meetings\\Quiz night\\Q" + std::to_string(q) + ".tlx,1,4,";
                for (int k = 0; k < kKeypads; ++k) {
                    if (k)
                        line += ';';
                    const unsigned a = random() % 12;
                    line += a == 0 ? std::string("-") : std::to_string(a);
                }
                line += ",12:00:00,01/02/2024\r\n";
                votes << line;
            }
        std::ofstream responses(path_ / "response.rec", std::ios::binary);
        for (int q = 1; q <= kQuestions; ++q) {
            std::string line = "C:\\Meetings\\Quiz night\\Q" + std::to_string(q) + ".tlx,1,4,\"";
            for (int k = 0; k < kKeypads; ++k) {
                if (k)
                    line += ';';
                line += std::to_string(random() % 10) + "," + std::to_string(random() % 100);
            }
            line += "\",12:00:00,01/02/2024\r\n";
            responses << line;
        }
    }
    ~MeetingFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string str() const { return path_.string(); }
    std::uintmax_t bytes() const
    {
        return std::filesystem::file_size(path_ / "votes.rec") +
               std::filesystem::file_size(path_ / "response.rec");
    }

  private:
    std::filesystem::path path_;
};

const MeetingFolder &meeting()
{
    static const MeetingFolder folder;
    return folder;
}

void BM_LoadVoteRecords(benchmark::State &state)
{
    const MeetingFolder &folder = meeting();
    for (auto _ : state) {
        quiz::VoteRecords records = quiz::VoteRecords::load(folder.str());
        benchmark::DoNotOptimize(records.answers("Q250.tlx").size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * folder.bytes()));
}
BENCHMARK(BM_LoadVoteRecords)->Unit(benchmark::kMillisecond);

void BM_LookUpEveryQuestion(benchmark::State &state)
{
    const quiz::VoteRecords records = quiz::VoteRecords::load(meeting().str());
    quiz::QuizState quizState;
    for (auto _ : state)
        for (int q = 1; q <= kQuestions; ++q)
            benchmark::DoNotOptimize(
                quiz::LookUpVotes(quizState, records, "Q" + std::to_string(q) + ".tlx").size());
}
BENCHMARK(BM_LookUpEveryQuestion)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
