// The results workbook of a large meeting, from the click (the chosen name
// given) to the saved file: three worksheets streamed from the results grids
// into the xlsx writer. Grids of keypads x questions as the results window
// builds them; reports the process's peak memory, grids and vote lines
// included.

#include "adapters/xlsx/xlsxworkbookwriter.h"
#include "core/results/resultsbuild.h"
#include "core/results/resultstableexport.h"
#include "core/results/resultswithtext.h"
#include "ports/dialogs.h"

#include "benchprocess.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <random>
#include <unordered_map>

namespace
{

using namespace quiz;

// Answers the save dialog with one name; every message box with its first button.
class ChosenName : public Dialogs
{
  public:
    explicit ChosenName(std::string path) : path_(std::move(path)) {}
    MessageAnswer message(const std::string &, const std::string &, MessageIcon, MessageButtons) override
    {
        return MessageAnswer::Yes;
    }
    std::optional<std::string> input(const std::string &, const std::string &, const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> saveFile(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return path_;
    }
    std::optional<std::string> openFile(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<FontChoice> font(const std::string &, const FontChoice &) override { return std::nullopt; }
    std::optional<PrintTarget> print(const std::string &) override { return std::nullopt; }

  private:
    std::string path_;
};

ResultsGrids buildGrids(int keypads, int questionCount)
{
    std::mt19937 random(7);
    std::vector<QuestionInfo> questions;
    std::unordered_map<std::string, std::string> votes;
    const char *correct[] = {"1", "2", "3", "4", "x", "13"};
    for (int q = 1; q <= questionCount; ++q) {
        QuestionInfo info;
        info.name = "q" + std::to_string(q) + ".tlx";
        info.optionCount = 10;
        info.firstOption = 1;
        info.itemCount = 1;
        info.voteType = "Single";
        info.correctAnswers = correct[q % 6];
        info.weightings = {"0", "1", "1", "2", "1", "3", "1", "1", "1", "1", "2"};
        std::string line;
        for (int p = 0; p < keypads; ++p) {
            const unsigned draw = random() % 12;
            line += draw == 0 ? "-" : draw == 11 ? "10" : std::to_string(draw % 5 + 1);
            line += ';';
        }
        votes[itemVoteKey(info, 1)] = std::move(line);
        questions.push_back(std::move(info));
    }
    ResultsGrids grids;
    BuildResultGrids(questions,
                     [&](const std::string &key) {
                         const auto it = votes.find(key);
                         return it == votes.end() ? std::string() : it->second;
                     },
                     {}, grids, {[](const std::string &) {}});
    CreateResultsWithText(questions, {}, grids, [](const std::string &) {});
    return grids;
}

void exportWorkbook(benchmark::State &state)
{
    const ResultsGrids grids = buildGrids(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::string folder = std::filesystem::temp_directory_path().string();
    const std::string path = folder + "/quiz-results-workbook-bench.xls";
    XlsxWorkbookWriter writer;
    double cpuSpent = 0;
    for (auto _ : state) {
        std::filesystem::remove(path);
        const double cpuBefore = quiz::bench::selfCpuSeconds();
        ChosenName dialogs(path);
        if (exportResultsWorkbook(grids, folder, dialogs, writer, {}) != ResultsExportOutcome::Written) {
            state.SkipWithError("the workbook was not written");
            break;
        }
        cpuSpent += quiz::bench::selfCpuSeconds() - cpuBefore;
    }
    // The peak before the floor's measure, which holds the whole XML in memory.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peakMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::error_code ec;
    state.counters["fileMB"] = static_cast<double>(std::filesystem::file_size(path, ec)) / 1e6;
    // The floor: the workbook's XML compressed once at the writer's level, on one core.
    const double zip = quiz::bench::compressXmlOnce(QString::fromStdString(path),
                                                    quiz::XlsxWorkbookWriter::compressionLevel);
    state.counters["zip_floor_ms"] = zip * 1000;
    state.counters["cpu_ratio"] = cpuSpent / static_cast<double>(state.iterations()) / zip;
    std::filesystem::remove(path);
}
BENCHMARK(exportWorkbook)
    ->Args({2000, 200})
    ->Args({10000, 500})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace

BENCHMARK_MAIN();
