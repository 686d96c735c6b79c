// DISPLAY on a meeting of 2,000 keypads x 200 questions (list form, response
// times): the real program from process start to its composed window, and
// the composition with its scoring run in-process.

#include "adapters/standinhost/standinhost.h"
#include "core/quiz/calculatescores.h"
#include "core/quiz/quizrecord.h"
#include "core/startup/runcontext.h"
#include "ui/display/backgroundgrabber.h"
#include "ui/display/composechartdisplay.h"
#include "ui/display/displayrun.h"
#include "ui/display/frmtchartdisplay.h"

#include "benchprocess.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
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
#include <sstream>

#ifndef QUIZ_BINARY_DIR
#error "QUIZ_BINARY_DIR must be defined"
#endif
#ifndef QUIZ_DEMO_DIR
#error "QUIZ_DEMO_DIR must be defined"
#endif

namespace
{

constexpr int kKeypads = 2000;
constexpr int kQuestions = 200;

void writeFile(const QString &path, const std::string &content)
{
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out << content;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The demo's quiz set-up with its question list replaced.
std::string quizSetup(int questions)
{
    std::istringstream demo(readFile(std::string(QUIZ_DEMO_DIR) + "/quiz.quz"));
    std::string line;
    std::getline(demo, line);
    const int demoCount = std::stoi(line);
    for (int i = 0; i < demoCount; ++i)
        std::getline(demo, line);
    std::ostringstream out;
    out << questions << "\r\n";
    for (int q = 1; q <= questions; ++q)
        out << "\"q" << q << ".tlx\"\r\n";
    out << demo.rdbuf();
    return out.str();
}

// A meeting folder with its host file; the slide show runs in a 1280 x 720 window.
struct Meeting {
    QTemporaryDir dir{QDir::tempPath() + "/quiz-display-bench-XXXXXX"};

    QString path(const QString &name) const { return dir.filePath(name); }

    Meeting()
    {
        // QUIZ_BENCH_KEEP keeps the generated folder for a look afterwards.
        if (qEnvironmentVariableIsSet("QUIZ_BENCH_KEEP")) {
            dir.setAutoRemove(false);
            std::fprintf(stderr, "meeting folder: %s\n", qPrintable(dir.path()));
        }
        std::mt19937 random(7);
        std::uniform_int_distribution<int> option(1, 4), time(1, 300);
        std::string votes, responses;
        for (int q = 1; q <= kQuestions; ++q) {
            std::string answers, times;
            for (int k = 0; k < kKeypads; ++k) {
                const bool voted = k % 50 != 49;
                answers += voted ? std::to_string(option(random)) : "-";
                answers += ";";
                times += std::to_string(time(random) / 10) + "." + std::to_string(time(random) % 10);
                times += k + 1 < kKeypads ? ";" : "";
            }
            const std::string name = "C:\\Shows\\Bench\\q" + std::to_string(q) + ".tlx";
            for (int record = 0; record < 3; ++record) {
                votes += name + "," + std::to_string(q) + ",8,\"" + answers + "\",05/12/2026,20:10:31\r\n";
                responses += name + "," + std::to_string(q) + ",8,\"" + times + "\",05/12/2026,20:10:31\r\n";
            }
            const std::string correct = std::to_string(1 + q % 4);
            writeFile(path(QString("q%1.tlx").arg(q)),
                      "2,4,0,\"Bench\",\"Question\",\"Single\",\"Bar\",0,\"\"\r\n"
                      "\"A\",16711680,0\r\n\"B\",65280,0\r\n\"C\",255,0\r\n\"D\",65535,0\r\n"
                      "\"Arial\",24,0\r\n\"Bar\",16777215,#TRUE#\r\n30,#FALSE#,0\r\n\"" +
                          correct + "\",#TRUE#\r\n#TRUE#,0,\"Percent\",0,0,#TRUE#,#TRUE#,0\r\n1,1\r\n");
        }
        writeFile(path("votes.rec"), votes);
        writeFile(path("response.rec"), responses);
        writeFile(path("quiz.quz"), quizSetup(kQuestions));
        QDir(dir.path()).mkpath("addin");
        QDir(dir.path()).mkpath("slides");
        QImage look(320, 180, QImage::Format_RGB32);
        look.fill(QColor(20, 90, 160));
        look.save(path("slides/1.png"));

        const QJsonObject slide{{"title", "Quiz"},
                                {"picture", "slides/1.png"},
                                {"tags", QJsonObject()},
                                {"shapes", QJsonArray()}};
        const QJsonObject presentation{{"path", path("show.pptx")},
                                       {"pageWidth", 720},
                                       {"pageHeight", 540},
                                       {"slides", QJsonArray{slide}}};
        const QJsonObject root{
            {"addinFolder", path("addin")},
            {"activePresentation", 0},
            {"presentations", QJsonArray{presentation}},
            {"slideShow", QJsonObject{{"running", true},
                                      {"slide", 1},
                                      {"window", QJsonArray{0, 0, 1280, 720}},
                                      {"pointerType", 1}}},
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

// The real program, with the controller already running as in a meeting: the
// time from its start until it prints the path of the composed window's picture.
void BM_DisplayProcessToComposedWindow(benchmark::State &state)
{
    const QProcessEnvironment env = quiz::bench::runEnvironment(meeting().dir.path());
    quiz::bench::ControllerStandIn controller(meeting().dir.path(), env);
    if (!controller.started()) {
        state.SkipWithError("the controller stand-in does not start");
        return;
    }

    for (auto _ : state) {
        QProcess quiz;
        quiz.setProcessEnvironment(env);
        quiz.setWorkingDirectory(meeting().dir.path());
        QElapsedTimer clock;
        clock.start();
        quiz.start(quiz::bench::programPath("src/quiz"), {"--host", meeting().path("host.json"), "DISPLAY"});
        while (!quiz.canReadLine() && quiz.state() != QProcess::NotRunning)
            quiz.waitForReadyRead(5);
        const double composed = clock.nsecsElapsed() / 1e9;
        quiz.waitForFinished(30000);
        if (quiz.exitCode() != 0 || !QFile::exists(meeting().path("QuizDisplay.png"))) {
            state.SkipWithError(("the program failed: " + quiz.readAllStandardError().toStdString()).c_str());
            break;
        }
        state.SetIterationTime(composed);
    }
}
BENCHMARK(BM_DisplayProcessToComposedWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// Capture, composition and scoring run (reading the votes, scoring, the
// quiz.txt record, ranking, rows), in-process.
void BM_ComposeWithScoring(benchmark::State &state)
{
    std::string error;
    auto host = quiz::StandInHost::open(meeting().path("host.json").toStdString(), &error);
    if (!host) {
        state.SkipWithError(error.c_str());
        return;
    }
    quiz::RunContext ctx;
    ctx.host = host.get();
    ctx.state.dataFolder = meeting().dir.path().toStdString();
    ctx.state.addinFolder = meeting().path("addin").toStdString() + "/";
    ctx.state.quizFileName = "quiz.quz";
    ctx.state.modeWord = "DISPLAY";
    ctx.state.runMode = "DISPLAY";
    const std::vector<std::string> list = quiz::ReadQuizForDisplay(ctx);
    for (auto _ : state) {
        quiz::FrmTChartDisplay window(ctx, {});
        window.setGeometry(320, 180, 640, 360);
        quiz::CaptureSlideShow(ctx);
        const quiz::ScoringRun scores = quiz::CalculateScores(ctx, list);
        quiz::AppendQuizRecord(ctx.state.dataFolder, ctx.state.quizFileName, scores.totals, ctx.dialogs);
        quiz::ComposeChartDisplay(ctx, quiz::chartWindowParts(window), false, false, ctx.state.displayCount,
                                  &scores.rows);
        benchmark::DoNotOptimize(window.chart()->annotation(0).text);
    }
}
BENCHMARK(BM_ComposeWithScoring)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    meeting();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
