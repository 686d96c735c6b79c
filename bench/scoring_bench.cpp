// A meeting of 10,000 keypads x 500 questions in list form, three votes.rec
// and response.rec records per question (the last counts), scored as the
// display scores it. Reports the time to read the vote files once, the
// scoring time over the loaded records, and their ratio.

#include "core/common/fileutil.h"
#include "core/quiz/calculatescores.h"
#include "core/startup/runcontext.h"
#include "core/votedata/voterecords.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace
{

constexpr int kKeypads = 10000;
constexpr int kQuestions = 500;
constexpr int kRecordsPerQuestion = 3;

namespace fs = std::filesystem;

struct Meeting {
    fs::path folder;
    std::vector<std::string> quizList;

    Meeting()
    {
        std::string pattern = (fs::temp_directory_path() / "quizbench.XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        folder = pattern;
        std::mt19937 random(4);
        std::ofstream votes(folder / "votes.rec", std::ios::binary);
        std::ofstream responses(folder / "response.rec", std::ios::binary);
        const char *correct[] = {"1", "2", "3", "4", "x", "13"};
        for (int q = 1; q <= kQuestions; ++q) {
            const std::string name = "q" + std::to_string(q) + ".tlx";
            quizList.push_back(name);
            std::ofstream question(folder / name, std::ios::binary);
            question << "2,10,0,\"Q\",\"Question " << q << "\",\"Single\",\"Bar\",0,\"\"\r\n";
            for (int o = 0; o < 10; ++o)
                question << "\"Option " << o + 1 << "\",255,0\r\n";
            question << "\"Arial\",24,0\r\n\"Bar\",16777215,#TRUE#\r\n30,#FALSE#,0\r\n\"" << correct[q % 6]
                     << "\",#TRUE#\r\n#TRUE#,0,\"Percent\",0,0,#TRUE#,#TRUE#,0\r\n1,1\r\n"
                     << "\"QUESTION WEIGHTINGS\",\"1,1,2,1,3,1,1,1,1,1,2\"\r\n";
            for (int record = 0; record < kRecordsPerQuestion; ++record) {
                std::string answers, times;
                answers.reserve(kKeypads * 3);
                times.reserve(kKeypads * 6);
                for (int k = 0; k < kKeypads; ++k) {
                    const unsigned draw = random() % 12;
                    answers += draw == 0 ? "-" : draw == 11 ? "10" : std::to_string(draw % 5 + 1);
                    answers += ';';
                    char value[16];
                    std::snprintf(value, sizeof value, "%u.%02u", unsigned(random() % 30),
                                  unsigned(random() % 100));
                    if (k)
                        times += ';';
                    times += value;
                }
                votes << "C:\\Shows\\Bench\\" << name << "," << q << "," << kKeypads << ",\"" << answers
                      << "\",05/12/2026,20:00:00\r\n";
                responses << "C:\\Shows\\Bench\\" << name << "," << q << "," << kKeypads << ",\"" << times
                          << "\",05/12/2026,20:00:00\r\n";
            }
        }
    }
    ~Meeting()
    {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

const Meeting &meeting()
{
    static const Meeting m;
    return m;
}

quiz::RunContext contextFor(const Meeting &m)
{
    quiz::RunContext ctx;
    ctx.state.dataFolder = m.folder.string();
    ctx.state.quizFileName = "quiz.quz";
    ctx.state.runMode = "DISPLAY"; // with the quiz.txt record
    ctx.state.useWeightings = 1;
    return ctx;
}

// Reading votes.rec and response.rec once.
void BM_LoadVoteFiles(benchmark::State &state)
{
    const Meeting &m = meeting();
    for (auto _ : state)
        benchmark::DoNotOptimize(quiz::VoteRecords::load(m.folder.string()));
    state.counters["input_MB"] = static_cast<double>(fs::file_size(m.folder / "votes.rec") +
                                                     fs::file_size(m.folder / "response.rec")) /
                                 1e6;
}

// The whole scoring run over loaded vote records: question files, lookups,
// scoring, ranking and display rows.
void BM_CalculateScores(benchmark::State &state)
{
    const Meeting &m = meeting();
    const quiz::VoteRecords votes = quiz::VoteRecords::load(m.folder.string());
    for (auto _ : state) {
        quiz::RunContext ctx = contextFor(m);
        benchmark::DoNotOptimize(quiz::CalculateScores(ctx, m.quizList, votes));
        state.PauseTiming();
        quiz::removeFile((m.folder / "quiz.txt").string());
        state.ResumeTiming();
    }
}

// The pure scoring over inputs already looked up.
void BM_ScoreQuiz(benchmark::State &state)
{
    const Meeting &m = meeting();
    const quiz::VoteRecords votes = quiz::VoteRecords::load(m.folder.string());
    std::vector<quiz::QuestionInput> inputs;
    for (const std::string &name : m.quizList) {
        quiz::QuestionInput q;
        q.correctAnswer = "13";
        q.answers = votes.answers(name);
        q.responseText = *votes.responseText(name);
        inputs.push_back(std::move(q));
    }
    quiz::ScoringSettings settings;
    settings.useWeightings = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(quiz::ScoreQuiz(inputs, settings, {}));
}

// Both in one go: the figure the scoring is held to (at most 2).
void BM_ScoringToLoadRatio(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    const Meeting &m = meeting();
    double loadSeconds = 0, scoreSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const quiz::VoteRecords votes = quiz::VoteRecords::load(m.folder.string());
        const auto t1 = Clock::now();
        quiz::RunContext ctx = contextFor(m);
        benchmark::DoNotOptimize(quiz::CalculateScores(ctx, m.quizList, votes));
        const auto t2 = Clock::now();
        quiz::removeFile((m.folder / "quiz.txt").string());
        loadSeconds += std::chrono::duration<double>(t1 - t0).count();
        scoreSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["load_ms"] = 1000 * loadSeconds / n;
    state.counters["score_ms"] = 1000 * scoreSeconds / n;
    state.counters["ratio"] = scoreSeconds / loadSeconds;
}

} // namespace

BENCHMARK(BM_LoadVoteFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateScores)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScoreQuiz)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScoringToLoadRatio)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
