// DISPLAY at scale: 10,000 keypads x 500 questions in list form, three
// records per question in votes.rec and response.rec. The real program runs
// from process start until it prints the path of its composed window; each
// iteration also reads the two record files' bytes once, and reports the
// run's time as a ratio to that read (wall and processor time), and the
// program's peak memory.

#include "measuredruns.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#ifndef QUIZ_BINARY_DIR
#error "QUIZ_BINARY_DIR must be defined"
#endif

extern char **environ;

namespace
{

constexpr int kKeypads = 10000;
constexpr int kQuestions = 500;

void writeFile(const std::string &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

struct Meeting {
    QTemporaryDir dir{QDir::tempPath() + "/quiz-display-scale-XXXXXX"};
    std::string folder = dir.path().toStdString();
    std::string path(const std::string &name) const { return folder + "/" + name; }

    Meeting()
    {
        // QUIZ_BENCH_KEEP keeps the generated folder for a look afterwards.
        if (qEnvironmentVariableIsSet("QUIZ_BENCH_KEEP")) {
            dir.setAutoRemove(false);
            std::fprintf(stderr, "meeting folder: %s\n", folder.c_str());
        }
        std::mt19937 random(11);
        std::uniform_int_distribution<int> option(1, 4), time(1, 3000);
        std::string votes, responses;
        std::string quiz = std::to_string(kQuestions) + "\r\n";
        for (int q = 1; q <= kQuestions; ++q) {
            std::string answers, times;
            for (int k = 0; k < kKeypads; ++k) {
                answers += k % 50 != 49 ? std::to_string(option(random)) : "-";
                answers += ';';
                const int t = time(random);
                times += std::to_string(t / 100) + "." + std::to_string(t / 10 % 10) + std::to_string(t % 10);
                times += k + 1 < kKeypads ? ";" : "";
            }
            const std::string name = "q" + std::to_string(q) + ".tlx";
            for (int record = 0; record < 3; ++record) {
                votes += "C:\\Shows\\Bench\\" + name + "," + std::to_string(q) + ",8,\"" + answers +
                         "\",05/12/2026,20:10:31\r\n";
                responses += "C:\\Shows\\Bench\\" + name + "," + std::to_string(q) + ",8,\"" + times +
                             "\",05/12/2026,20:10:31\r\n";
            }
            writeFile(path(name), "2,4,0,\"Bench\",\"Question\",\"Single\",\"Bar\",0,\"\"\r\n"
                                  "\"A\",16711680,0\r\n\"B\",65280,0\r\n\"C\",255,0\r\n\"D\",65535,0\r\n"
                                  "\"Arial\",24,0\r\n\"Bar\",16777215,#TRUE#\r\n30,#FALSE#,0\r\n\"" +
                                      std::to_string(1 + q % 4) + "\",#TRUE#\r\n");
            quiz += "\"" + name + "\"\r\n";
        }
        writeFile(path("votes.rec"), votes);
        writeFile(path("response.rec"), responses);
        quiz += "5,0.1,0.1,0.8,0.8\r\n";
        for (int p = 0; p < 5; ++p)
            quiz += "-1,-1,-1,-1\r\n";
        quiz += "20,20,0\r\n\"Arial\",#TRUE#,#FALSE#,24\r\n1,1\r\n0\r\n\"autostart=True\"\r\n";
        writeFile(path("quiz.quz"), quiz);
        QDir(dir.path()).mkpath("addin");
        writeFile(path("host.json"), R"({"addinFolder": ")" + path("addin") + R"(", "activePresentation": 0,
  "presentations": [{"path": ")" + path("show.pptx") +
                                         R"(", "pageWidth": 720, "pageHeight": 540,
    "slides": [{"title": "Quiz", "tags": {}, "shapes": []}]}],
  "slideShow": {"running": true, "slide": 1, "window": [0, 0, 1280, 720], "pointerType": 1},
  "activeWindowViewType": 1,
  "windows": [{"title": "Microsoft PowerPoint - [show.pptx]", "rect": [0, 0, 1280, 800], "visible": true}],
  "macros": []})");
        std::fprintf(stderr, "meeting: %lld MB of record files\n",
                     static_cast<long long>((votes.size() + responses.size()) >> 20));
    }
};

using RunFigures = quiz::bench::ProcessFigures;

// Until the picture's path is printed (the composed window).
RunFigures runDisplay(const Meeting &m, const std::vector<std::string> &env)
{
    return quiz::bench::runMeasured(std::string(QUIZ_BINARY_DIR) + "/src/quiz",
                                    {"--host", m.path("host.json"), "DISPLAY"}, m.folder, env,
                                    [](char c) { return c == '\n'; });
}

void BM_DisplayAtScale(benchmark::State &state)
{
    static Meeting m;
    const QProcessEnvironment qenv = quiz::bench::runEnvironment(QString::fromStdString(m.folder));
    quiz::bench::MeasuredRuns r;
    if (!quiz::bench::measureRuns(
            state, m.folder, qenv, [&](const auto &env) { return runDisplay(m, env); }, r))
        return;
    state.counters["read_ms"] = r.read * 1000 / static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = r.cpu * 1000 / static_cast<double>(state.iterations());
    state.counters["ratio"] = r.run / r.read;
    state.counters["cpu_ratio"] = r.cpu / r.readCpu; // the same in processor time, steadier on a busy machine
    state.counters["peak_MB"] = static_cast<double>(r.peakKb) / 1024.0;
}
BENCHMARK(BM_DisplayAtScale)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
