// Building the three results grids for a large meeting: keypads x questions
// in list form, ordinary questions of ten options with weightings, every
// tenth a SERIES of three. Reports the build time and the process's peak
// memory (the vote lines held as the vote record index holds them). Then a
// table view over the 10,000 x 500 individual results: opening it and
// painting it at 50 scroll positions.

#include "core/results/resultsbuild.h"
#include "core/results/resultswithtext.h"
#include "ui/results/resultsgridmodel.h"

#include <QApplication>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <random>
#include <unordered_map>

namespace
{

using namespace quiz;

struct Meeting {
    std::vector<QuestionInfo> questions;
    std::unordered_map<std::string, std::string> votes;

    Meeting(int keypads, int questionCount)
    {
        std::mt19937 random(7);
        const char *correct[] = {"1", "2", "3", "4", "x", "13"};
        for (int q = 1; q <= questionCount; ++q) {
            QuestionInfo info;
            info.name = "q" + std::to_string(q) + ".tlx";
            info.optionCount = 10;
            info.firstOption = 1;
            info.itemCount = q % 10 == 0 ? 3 : 1;
            info.voteType = q % 10 == 0 ? "SERIES" : "Single";
            info.correctAnswers = q % 10 == 0 ? "" : correct[q % 6];
            info.weightings = {"0", "1", "1", "2", "1", "3", "1", "1", "1", "1", "2"};
            questions.push_back(info);
            for (int k = 1; k <= info.itemCount; ++k) {
                std::string line;
                line.reserve(keypads * 3);
                for (int p = 0; p < keypads; ++p) {
                    const unsigned draw = random() % 12;
                    line += draw == 0 ? "-" : draw == 11 ? "10" : std::to_string(draw % 5 + 1);
                    line += ';';
                }
                votes[itemVoteKey(info, k)] = std::move(line);
            }
        }
    }
};

void buildGrids(benchmark::State &state)
{
    const Meeting meeting(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::vector<Participant> names;
    for (int k = 1; k <= state.range(0); k += 2)
        names.push_back({"Participant " + std::to_string(k), k, 1});
    const VoteLookup lookup = [&](const std::string &key) {
        const auto it = meeting.votes.find(key);
        return it == meeting.votes.end() ? std::string() : it->second;
    };
    for (auto _ : state) {
        ResultsGrids grids;
        BuildResultGrids(meeting.questions, lookup, grids,
                         {[](const std::string &) {}, [&] { return names; }});
        CreateResultsWithText(meeting.questions, {}, grids, [](const std::string &) {});
        benchmark::DoNotOptimize(grids.keypadResults.rows());
        state.counters["cells"] =
            static_cast<double>(grids.keypadResults.rows()) * grids.keypadResults.cols();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peakMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

BENCHMARK(buildGrids)->Args({2000, 200})->Args({10000, 500})->Unit(benchmark::kMillisecond)->Iterations(3);

void openAndScrollView(benchmark::State &state)
{
    const Meeting meeting(10000, 500);
    const VoteLookup lookup = [&](const std::string &key) {
        const auto it = meeting.votes.find(key);
        return it == meeting.votes.end() ? std::string() : it->second;
    };
    ResultsGrids grids;
    BuildResultGrids(meeting.questions, lookup, grids,
                     {[](const std::string &) {}, [] { return std::vector<Participant>{}; }});
    std::mt19937 random(3);
    for (auto _ : state) {
        QTableView view;
        ResultsGridModel model(grids.keypadResults);
        view.setModel(&model);
        view.resize(1200, 800);
        view.show();
        benchmark::DoNotOptimize(view.grab().width());
        for (int i = 0; i < 50; ++i) {
            view.scrollTo(model.index(static_cast<int>(random() % 10000), static_cast<int>(random() % 500)));
            benchmark::DoNotOptimize(view.grab().width());
        }
    }
}
BENCHMARK(openAndScrollView)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
