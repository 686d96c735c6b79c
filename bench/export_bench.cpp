// EXPORT of a meeting of 10 rounds x 50 votes x 10,000 keypads (list form,
// weighted questions; QUIZ_BENCH_KEYPADS and QUIZ_BENCH_VOTES change the
// size): the real program from process start to the saved workbook with its
// peak memory, and in-process the rounds' reading into the sheet and the
// streamed xlsx writer.

#include "adapters/xlsx/xlsxworkbookwriter.h"
#include "core/quiz/quizresultssheet.h"

#include "benchprocess.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <random>

#ifndef QUIZ_BINARY_DIR
#error "QUIZ_BINARY_DIR must be defined"
#endif

namespace
{

int sizeFromEnvironment(const char *name, int fallback)
{
    const int value = qEnvironmentVariableIntValue(name);
    return value > 0 ? value : fallback;
}

constexpr int kRounds = 10;
const int kVotesPerRound = sizeFromEnvironment("QUIZ_BENCH_VOTES", 500) / kRounds;
const int kKeypads = sizeFromEnvironment("QUIZ_BENCH_KEYPADS", 10000);

void writeFile(const QString &path, const std::string &content)
{
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out << content;
}

std::string questionFile(const std::string &correct)
{
    return "2,4,0,\"Bench\",\"Question\",\"Single\",\"Bar\",0,\"\"\r\n"
           "\"A\",16711680,0\r\n\"B\",65280,0\r\n\"C\",255,0\r\n\"D\",65535,0\r\n"
           "\"Arial\",24,0\r\n\"Bar\",16777215,#TRUE#\r\n30,#FALSE#,0\r\n\"" +
           correct + "\",#TRUE#\r\n\"QUESTION WEIGHTINGS\",\"0,1,2,0.5,1.5,1,1,1,1,1,1\"\r\n";
}

// A meeting folder: question files, round quiz files, votes.rec and a host
// file whose slides carry one quiz shape per round. The same rounds are
// also kept in memory for the in-process benchmarks.
struct Meeting {
    QTemporaryDir dir{QDir::tempPath() + "/quiz-export-bench-XXXXXX"};
    std::vector<quiz::ExportRound> rounds;

    QString path(const QString &name) const { return dir.filePath(name); }

    Meeting()
    {
        if (qEnvironmentVariableIsSet("QUIZ_BENCH_KEEP")) {
            dir.setAutoRemove(false);
            std::fprintf(stderr, "meeting folder: %s\n", qPrintable(dir.path()));
        }
        std::mt19937 random(11);
        std::uniform_int_distribution<int> option(1, 4);
        std::string votes;
        QJsonArray slides;
        for (int r = 1; r <= kRounds; ++r) {
            quiz::ExportRound &round = rounds.emplace_back();
            round.quizFileName = "round" + std::to_string(r) + ".quz";
            std::string quizFile = std::to_string(kVotesPerRound) + "\r\n";
            for (int v = 1; v <= kVotesPerRound; ++v) {
                const int q = (r - 1) * kVotesPerRound + v;
                const std::string name = "q" + std::to_string(q) + ".tlx";
                const std::string correct = std::to_string(1 + q % 4);
                std::string answers;
                for (int k = 0; k < kKeypads; ++k)
                    answers += (k % 50 == 49 ? std::string("-") : std::to_string(option(random))) + ";";
                writeFile(path(QString::fromStdString(name)), questionFile(correct));
                votes += "C:\\Shows\\Bench\\" + name + "," + std::to_string(q) + ",8,\"" + answers +
                         "\",05/12/2026,20:10:31\r\n";
                quizFile += "\"" + name + "\"\r\n";
                quiz::ExportVote vote{
                    name, true, correct, answers, {0, 1, 2, 0.5, 1.5, 1, 1, 1, 1, 1, 1, 0, 0}};
                round.votes.push_back(vote);
            }
            writeFile(path(QString::fromStdString(round.quizFileName)), quizFile);
            const QJsonObject shape{
                {"name", "QUIZ"},
                {"run", QString::fromStdString("quiz " + round.quizFileName + ",DISPLAY")},
                {"tags", QJsonObject()}};
            slides.append(QJsonObject{{"title", QString("Round %1").arg(r)},
                                      {"tags", QJsonObject()},
                                      {"shapes", QJsonArray{shape}}});
        }
        writeFile(path("votes.rec"), votes);
        QDir(dir.path()).mkpath("addin");
        const QJsonObject presentation{
            {"path", path("show.pptx")}, {"pageWidth", 720}, {"pageHeight", 540}, {"slides", slides}};
        const QJsonObject root{
            {"addinFolder", path("addin")},
            {"activePresentation", 0},
            {"presentations", QJsonArray{presentation}},
            {"activeWindowViewType", 1},
            {"windows", QJsonArray{QJsonObject{{"title", "Microsoft PowerPoint - [show.pptx]"},
                                               {"rect", QJsonArray{0, 0, 1280, 800}},
                                               {"visible", true}}}},
            {"macros", QJsonArray()}};
        writeFile(path("host.json"), QJsonDocument(root).toJson().toStdString());
    }
};

Meeting &meeting()
{
    static Meeting m;
    return m;
}

std::string nameOf(int keypad)
{
    return std::to_string(keypad);
}

QProcessEnvironment runEnvironment()
{
    QProcessEnvironment env = quiz::bench::runEnvironment(meeting().dir.path());
    env.insert("TALVIX_OUTPUT", meeting().path("results.xls"));
    return env;
}

// The real program with the controller already running: process start to
// the end of the run, the workbook saved.
void BM_ExportProcess(benchmark::State &state)
{
    quiz::bench::ControllerStandIn controller(meeting().dir.path(), runEnvironment());
    if (!controller.started()) {
        state.SkipWithError("the controller stand-in does not start");
        return;
    }

    double cpu = 0, wall = 0, read = 0, readCpu = 0;
    for (auto _ : state) {
        // The first floor: votes.rec's bytes read once (in the page cache after the first time).
        const double readStart = quiz::bench::selfCpuSeconds();
        QElapsedTimer readClock;
        readClock.start();
        QFile records(meeting().path("votes.rec"));
        if (records.open(QIODevice::ReadOnly))
            while (!records.read(1 << 20).isEmpty()) {
            }
        read += readClock.nsecsElapsed() / 1e9;
        readCpu += quiz::bench::selfCpuSeconds() - readStart;
        QFile::remove(meeting().path("results.xls"));
        const double cpuBefore = quiz::bench::childrenCpuSeconds();
        QProcess quiz;
        quiz.setProcessEnvironment(runEnvironment());
        quiz.setWorkingDirectory(meeting().dir.path());
        QElapsedTimer clock;
        clock.start();
        quiz.start(quiz::bench::programPath("src/quiz"), {"--host", meeting().path("host.json"), "EXPORT"});
        quiz.waitForFinished(120000);
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (quiz.exitCode() != 0 || !QFile::exists(meeting().path("results.xls"))) {
            state.SkipWithError(("the program failed: " + quiz.readAllStandardError().toStdString()).c_str());
            break;
        }
        state.SetIterationTime(seconds);
        wall += seconds;
        cpu += quiz::bench::childrenCpuSeconds() - cpuBefore;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["peak_MB"] = quiz::bench::childrenPeakMegabytes(); // the program's, before unzip runs
    // The second floor: the written workbook's XML compressed once at the writer's level.
    double xml = 0;
    const double zip = quiz::bench::compressXmlOnce(meeting().path("results.xls"),
                                                    quiz::XlsxWorkbookWriter::compressionLevel, &xml);
    state.counters["read_ms"] = read * 1000 / n;
    state.counters["zip_floor_ms"] = zip * 1000;
    state.counters["xml_MB"] = xml / 1e6;
    state.counters["ratio"] = wall / n / (read / n + zip);
    state.counters["cpu_ratio"] = cpu / n / (readCpu / n + zip);
    state.counters["cpu_s"] = cpu / n;
    state.counters["cells"] = kKeypads * (kRounds * (kVotesPerRound + 2) + 3);
}
BENCHMARK(BM_ExportProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void addRounds(quiz::QuizResultsSheet &sheet)
{
    for (const quiz::ExportRound &round : meeting().rounds)
        sheet.addRound(round);
    sheet.finish(nameOf);
}

// The rounds, already read, added to the sheet (scores and layout).
void BM_AddRoundsToSheet(benchmark::State &state)
{
    for (auto _ : state) {
        quiz::QuizResultsSheet sheet;
        addRounds(sheet);
        benchmark::DoNotOptimize(sheet.rowCount());
    }
}
BENCHMARK(BM_AddRoundsToSheet)->Unit(benchmark::kMillisecond)->Iterations(3);

// The streamed xlsx writer on that sheet: cells made and written row by row.
void BM_WriteResultsWorkbook(benchmark::State &state)
{
    quiz::XlsxWorkbookWriter writer;
    const std::string path = meeting().path("written.xls").toStdString();
    for (auto _ : state) {
        state.PauseTiming();
        quiz::QuizResultsSheet sheet;
        addRounds(sheet);
        state.ResumeTiming();
        const std::string error = writer.writeSheets({&sheet}, 0, path);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_WriteResultsWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
