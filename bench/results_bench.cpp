// Building the three results grids for a large meeting: keypads x questions
// in list form, ordinary questions of ten options with weightings, every
// tenth a SERIES of three. Reports the build time and the process's peak
// memory (the vote lines held as the vote record index holds them). Then a
// table view over the 10,000 x 500 individual results: opening it and
// painting it at 50 scroll positions. And the real program at that size
// (BM_ResultsTableProcess): RESULTSTABLE from process start to the three grids
// drawn, against reading the record files once, with its peak memory.

#include "adapters/xlsx/xlsxworkbookwriter.h"
#include "core/results/resultsbuild.h"
#include "core/results/resultswithtext.h"
#include "ui/results/resultsgridmodel.h"

#include "measuredruns.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <unordered_map>

#ifndef QUIZ_BINARY_DIR
#error "QUIZ_BINARY_DIR must be defined"
#endif

extern char **environ;

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
        BuildResultGrids(meeting.questions, lookup, names, grids, {[](const std::string &) {}});
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
    BuildResultGrids(meeting.questions, lookup, {}, grids, {[](const std::string &) {}});
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

// A meeting folder at 10,000 keypads x 500 questions in list form: three
// records per question in votes.rec and response.rec, a VOTE shape per
// slide, names for every other keypad from the controller stand-in.
struct ScaleMeeting {
    static constexpr int keypads = 10000;
    static constexpr int questions = 500;
    QTemporaryDir dir{QDir::tempPath() + "/quiz-results-scale-XXXXXX"};
    std::string folder = dir.path().toStdString();
    std::string path(const std::string &name) const { return folder + "/" + name; }

    static void write(const std::string &path, const std::string &content)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    }

    ScaleMeeting()
    {
        if (qEnvironmentVariableIsSet("QUIZ_BENCH_KEEP")) {
            dir.setAutoRemove(false);
            std::fprintf(stderr, "meeting folder: %s\n", folder.c_str());
        }
        std::mt19937 random(11);
        std::uniform_int_distribution<int> option(1, 4), time(1, 3000);
        std::string votes, responses, slides, names;
        for (int q = 1; q <= questions; ++q) {
            std::string answers, times;
            for (int k = 0; k < keypads; ++k) {
                answers += k % 50 != 49 ? std::to_string(option(random)) : "-";
                answers += ';';
                const int t = time(random);
                times +=
                    std::to_string(t / 100) + "." + std::to_string(t % 100) + (k + 1 < keypads ? ";" : "");
            }
            const std::string name = "q" + std::to_string(q) + ".tlx";
            for (int record = 0; record < 3; ++record) {
                const std::string head = "C:\\Shows\\Bench\\" + name + "," + std::to_string(q) + ",8,\"";
                votes += head + answers + "\",05/12/2026,20:10:31\r\n";
                responses += head + times + "\",05/12/2026,20:10:31\r\n";
            }
            write(path(name), "2,4,0,\"Bench\",\"Question\",\"Single\",\"Bar\",0,\"\"\r\n"
                              "\"A\",16711680,0\r\n\"B\",65280,0\r\n\"C\",255,0\r\n\"D\",65535,0\r\n"
                              "\"Arial\",24,0\r\n\"Bar\",16777215,#TRUE#\r\n30,#FALSE#,0\r\n\"" +
                                  std::to_string(1 + q % 4) + "\",#TRUE#\r\n");
            slides +=
                std::string(q > 1 ? "," : "") +
                R"({"title": "Q", "tags": {}, "shapes": [{"name": "VOTE", "run": "C:\\Talvix\\vote.exe )" +
                name + R"(,1", "tags": {}}]})";
        }
        for (int k = 1; k <= keypads; k += 2)
            names += std::to_string(k) + ",Participant " + std::to_string(k) + ",1\n";
        write(path("votes.rec"), votes);
        write(path("response.rec"), responses);
        write(path("names.csv"), names);
        QDir(dir.path()).mkpath("addin");
        write(path("host.json"), R"({"addinFolder": ")" + path("addin") + R"(", "activePresentation": 0,
  "presentations": [{"path": ")" + path("show.pptx") +
                                     R"(", "pageWidth": 720, "pageHeight": 540, "slides": [)" + slides +
                                     R"(]}],
  "activeWindowViewType": 1,
  "windows": [{"title": "Microsoft PowerPoint - [show.pptx]", "rect": [0, 0, 1280, 800], "visible": true}],
  "macros": []})");
    }
};

using Clock = std::chrono::steady_clock;

using RunFigures = quiz::bench::ProcessFigures;

// RESULTSTABLE without a screen draws each tab into a picture and prints its
// path: the third path printed is the three grids drawn.
// Unattended (TALVIX_OUTPUT in env), the run ends once its workbook is saved:
// until the end of the process.
RunFigures runResultsTable(const ScaleMeeting &m, const std::vector<std::string> &env,
                           bool unattended = false)
{
    // QUIZ_BENCH_PROGRAM runs another build of the program (an older one, for comparison).
    const char *other = std::getenv("QUIZ_BENCH_PROGRAM");
    const std::string program = other ? other : std::string(QUIZ_BINARY_DIR) + "/src/quiz";
    int lines = 0;
    std::function<bool(char)> thirdPicture = [&lines](char c) { return (lines += c == '\n') == 3; };
    return quiz::bench::runMeasured(program, {"--host", m.path("host.json"), "RESULTSTABLE"}, m.folder, env,
                                    unattended ? nullptr : thirdPicture);
}

void BM_ResultsTableProcess(benchmark::State &state)
{
    static ScaleMeeting m;
    QProcessEnvironment qenv = quiz::bench::runEnvironment(QString::fromStdString(m.folder));
    qenv.insert("TALVIX_NAMES", QString::fromStdString(m.path("names.csv")));
    quiz::bench::MeasuredRuns r;
    if (!quiz::bench::measureRuns(
            state, m.folder, qenv, [&](const auto &env) { return runResultsTable(m, env); }, r))
        return;
    // The first run on the generated presentation also moves the 500
    // question tags from the shapes to the slides (500 host changes); the
    // others find them moved.
    const double n = static_cast<double>(state.iterations());
    state.counters["first_ms"] = r.firstSeen * 1000;
    state.counters["read_ms"] = r.read * 1000 / n;
    state.counters["cpu_ms"] = r.cpu * 1000 / n;
    state.counters["ratio"] = r.run / r.read;
    state.counters["cpu_ratio"] = r.cpu / std::max(r.readCpu, 1e-6); // steadier on a busy machine
    state.counters["peak_MB"] = static_cast<double>(r.peakKb) / 1024.0;
    state.counters["first_cpu_ms"] = r.firstCpu * 1000;
}
BENCHMARK(BM_ResultsTableProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// RESULTSTABLE unattended: start to the results workbook saved and the run
// ended, against reading the record files once plus compressing the
// workbook's XML once at the writer's level.
void BM_ResultsTableWorkbookProcess(benchmark::State &state)
{
    static ScaleMeeting m;
    const std::string workbook = m.path("summary.xls");
    QProcessEnvironment qenv = quiz::bench::runEnvironment(QString::fromStdString(m.folder));
    qenv.insert("TALVIX_NAMES", QString::fromStdString(m.path("names.csv")));
    qenv.insert("TALVIX_OUTPUT", QString::fromStdString(workbook));
    quiz::bench::MeasuredRuns r;
    const auto run = [&](const auto &env) {
        std::remove(workbook.c_str());
        RunFigures f = runResultsTable(m, env, true);
        f.ok = f.ok && QFile::exists(QString::fromStdString(workbook));
        return f;
    };
    if (!quiz::bench::measureRuns(state, m.folder, qenv, run, r))
        return;
    const double n = static_cast<double>(state.iterations());
    double xml = 0;
    const double zip = quiz::bench::compressXmlOnce(QString::fromStdString(workbook),
                                                    quiz::XlsxWorkbookWriter::compressionLevel, &xml);
    state.counters["read_ms"] = r.read * 1000 / n;
    state.counters["zip_floor_ms"] = zip * 1000;
    state.counters["xml_MB"] = xml / 1e6;
    state.counters["cpu_ms"] = r.cpu * 1000 / n;
    state.counters["ratio"] = r.run / n / (r.read / n + zip);
    state.counters["cpu_ratio"] = r.cpu / n / (r.readCpu / n + zip);
    state.counters["peak_MB"] = static_cast<double>(r.peakKb) / 1024.0;
}
BENCHMARK(BM_ResultsTableWorkbookProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

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
