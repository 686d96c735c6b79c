// Replays the end-to-end scenarios under tests/data/e2e: each folder holds a
// scenario.txt (how to run the real program and what must follow) and, when
// needed, files/ laid over the copy of the demo folder and expected/ files.
// How to write one: docs/testing.md.

#include "core/controller/frame.h"
#include "support/childprocess.h"
#include "support/quizrunner.h"
#include "support/rows.h"
#include "support/xlsxreadback.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

using namespace quiz::test;
namespace fs = std::filesystem;

namespace
{

// Every folder's blocks; a block's file is its folder's scenario.txt.
std::vector<Block> loadScenarios()
{
    std::vector<Block> all;
    for (const auto &entry : fs::directory_iterator(dataPath("e2e"))) {
        const auto blocks = loadBlocks("e2e/" + entry.path().filename().string() + "/scenario.txt");
        all.insert(all.end(), blocks.begin(), blocks.end());
    }
    std::sort(all.begin(), all.end(), [](auto &a, auto &b) { return a.file + a.name < b.file + b.name; });
    return all;
}

QJsonValue setAt(const QJsonValue &node, QStringList path, const QJsonValue &value)
{
    if (path.isEmpty())
        return value;
    const QString key = path.takeFirst();
    if (node.isArray()) {
        QJsonArray a = node.toArray();
        if (key == "+")
            a.append(setAt(QJsonValue(), path, value));
        else {
            const int i = key.toInt() < 0 ? key.toInt() + a.size() : key.toInt();
            a[i] = setAt(a[i], path, value);
        }
        return a;
    }
    QJsonObject o = node.toObject();
    o[key] = setAt(o[key], path, value);
    return o;
}

QJsonValue at(QJsonValue node, const std::string &path)
{
    for (const QString &key : QString::fromStdString(path).split('.'))
        node = node.isArray()
                   ? node.toArray()[key.toInt() < 0 ? key.toInt() + node.toArray().size() : key.toInt()]
                   : node.toObject()[key];
    return node;
}

QJsonValue jsonValue(const std::string &text)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString("[" + text + "]")).array().at(0);
}

bool has(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

// The controller stand-in may log a moment after the program has ended.
bool controllerGot(const QuizRunner &runner, const std::string &command)
{
    return waitFor(
        [&] {
            const auto log = runner.controllerLog();
            return std::find(log.begin(), log.end(), command) != log.end();
        },
        3);
}

// Sends the stand-in a command of the test's own after the run and waits until it
// is logged: every command the program sent before it ended is in the log by then.
// A run that never started the controller left neither its socket nor its log (a
// command is only sent once the socket answers). False when a controller ran and
// the log never shows the test's command.
bool controllerSettled(const QuizRunner &runner)
{
    const std::string path = runner.folder().str() + "/controller.sock";
    if (!fs::exists(path))
        return !fs::exists(runner.folder().path() / "controller.log");
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(path));
    const std::string frame = quiz::encodeFrame("TestSettled");
    return socket.waitForConnected(3000) && socket.write(frame.data(), qint64(frame.size())) &&
           socket.waitForBytesWritten(3000) && controllerGot(runner, "TestSettled");
}

// The first group of each match of a pattern in a text, each followed by a separator:
// the program's own "quiz: " lines of its standard error (Qt may add warnings of its
// own), the results of a UI script's log lines.
std::string joined(const std::string &text, const std::string &pattern, const std::string &separator)
{
    std::string all;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        all += (*it)[1].str() + separator;
    return all;
}

void replay(QuizRunner &runner, const fs::path &source, const Block &stage);
using E2e = ::testing::TestWithParam<Block>;

TEST_P(E2e, Replays)
{
    const Block &sc = GetParam();
    QuizRunner runner;
    const fs::path source = fs::path(dataPath(sc.file)).parent_path();
    if (fs::exists(source / "files"))
        fs::copy(source / "files", runner.folder().path(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    // "next:" starts another run on the same folder, with its own set-up and checks.
    Block stage{sc.file, sc.name, {}};
    for (const auto &line : sc.lines) {
        if (line.first == "next") {
            replay(runner, source, stage);
            stage.lines.clear();
            runner.setEnv("TALVIX_UI_SCRIPT", "");
        } else
            stage.lines.push_back(line);
    }
    replay(runner, source, stage);
}

void replay(QuizRunner &runner, const fs::path &source, const Block &sc)
{
    const auto subst = [&](const std::string &s) {
        return std::regex_replace(s, std::regex("\\{folder\\}"), runner.folder().str());
    };
    // Every run states its exit code.
    ASSERT_TRUE(std::any_of(sc.lines.begin(), sc.lines.end(), [](const auto &l) {
        return l.first == "exit";
    })) << "the run does not check the exit code (exit: N)";
    std::vector<std::string> words, answers;
    std::string script;
    for (const auto &[key, c] : sc.lines) {
        if (key == "script")
            script += c[0] + "\n";
        else if (key == "run")
            words.push_back(c[0]);
        else if (key == "answer")
            answers.push_back(subst(c[0]));
        else if (key == "env")
            runner.setEnv(c[0], subst(c.at(1)));
        else if (key == "remove")
            fs::remove(runner.dataPath(c[0]));
        else if (key == "write")
            runner.folder().write(c[0], c.at(1));
        else if (key == "readonly")
            fs::permissions(runner.dataPath(c[0]), fs::perms::owner_read | fs::perms::group_read);
        else if (key == "host")
            runner.setHostJson(QJsonDocument(setAt(runner.host(), QString::fromStdString(c[0]).split('.'),
                                                   jsonValue(c.at(1)))
                                                 .toObject())
                                   .toJson()
                                   .toStdString());
        else if (key == "host-replace")
            runner.setHostJson(std::regex_replace(runner.hostJson(), std::regex(c[0]), c.at(1)));
    }
    if (!script.empty()) {
        runner.folder().write("drive.txt", script);
        runner.setEnv("TALVIX_UI_SCRIPT", runner.dataPath("drive.txt"));
    }
    const QuizRunResult r = runner.run(words, answers);
    ASSERT_TRUE(r.finished) << r.err;
    const std::string trace =
        "\nstderr:\n" + r.err + "\nscript log:\n" + runner.folder().read("drive.txt.log");
    std::optional<ReadBook> book;
    std::string pdf, workbook = "results.xls";
    const auto summary = [&]() -> const std::string & { // read back once, with pdftotext
        if (pdf.empty()) {
            QProcess process;
            process.start("pdftotext",
                          {"-layout", QString::fromStdString(runner.dataPath("summary.pdf")), "-"});
            process.waitForFinished(30000);
            pdf =
                std::regex_replace(process.readAllStandardOutput().toStdString(), std::regex("[ \\t]+"), " ");
        }
        return pdf;
    };
    size_t sheetIndex = 0;
    for (const auto &[key, raw] : sc.lines) {
        std::vector<std::string> c;
        for (const auto &cell : raw)
            c.push_back(subst(cell));
        c.resize(std::max<size_t>(c.size(), 4));
        SCOPED_TRACE(key + ": " + c[0] + " | " + c[1]);
        if (key == "exit")
            EXPECT_EQ(c[0] == "nonzero" ? r.exitCode != 0 : r.exitCode == std::stoi(c[0]), true)
                << r.exitCode << trace;
        else if (key == "dialogs")
            EXPECT_EQ(r.dialogLog.size(), std::stoul(c[0]))
                << trace << runner.folder().read("dialogs.txt.log");
        else if (key == "dialog") {
            const size_t i = c[0] == "last" ? r.dialogLog.size() - 1 : std::stoul(c[0]);
            ASSERT_LT(i, r.dialogLog.size()) << trace;
            const std::string field = dialogField(r.dialogLog[i], c[1].c_str());
            if (c[2] == "~")
                EXPECT_TRUE(std::regex_search(field, std::regex(c[3]))) << field;
            else
                EXPECT_EQ(field, c[2]);
        } else if (key == "stderr")
            EXPECT_TRUE(has(r.err, c[0])) << trace;
        else if (key == "no-stderr")
            EXPECT_FALSE(has(r.err, c[0])) << trace;
        else if (key == "stdout")
            EXPECT_TRUE(has(r.out, c[0])) << r.out;
        else if (key == "stdout-is")
            EXPECT_EQ(r.out, c[0]);
        else if (key == "own-stderr")
            EXPECT_EQ(joined(r.err, "(?:^|\\n)(quiz: [^\\n]*)", "\n"), c[0]) << trace;
        else if (key == "script-results")
            EXPECT_EQ(joined(runner.folder().read("drive.txt.log"), "\"result\":\"(\\w+)\"", " "), c[0] + " ")
                << trace;
        else if (key == "controller")
            EXPECT_TRUE(controllerGot(runner, c[0])) << trace << "controller log:\n"
                                                     << runner.folder().read("controller.log");
        else if (key == "no-controller") {
            ASSERT_TRUE(controllerSettled(runner))
                << "the controller never logged the test's own command" << trace;
            for (const auto &line : runner.controllerLog())
                EXPECT_FALSE(has(line, c[0])) << line;
        } else if (key == "file")
            EXPECT_EQ(runner.folder().read(c[0]), c[1]);
        else if (key == "file-same") {
            std::ifstream in(source / "expected" / c[0], std::ios::binary);
            EXPECT_EQ(runner.folder().read(c[0]), std::string(std::istreambuf_iterator<char>(in), {}));
        } else if (key == "file-has")
            EXPECT_TRUE(has(runner.folder().read(c[0]), c[1])) << runner.folder().read(c[0]);
        else if (key == "no-file")
            EXPECT_FALSE(fs::exists(runner.dataPath(c[0])));
        else if (key == "windows-enabled")
            for (const auto &w : runner.host()["windows"].toArray())
                EXPECT_TRUE(w.toObject()["enabled"].toBool(true))
                    << w.toObject()["title"].toString().toStdString();
        else if (key == "host-value")
            EXPECT_EQ(at(runner.host(), c[0]), jsonValue(c[1]));
        else if (key == "host-count")
            EXPECT_EQ(at(runner.host(), c[0]).toArray().size(), std::stoi(c[1]));
        else if (key == "host-between") {
            const double v = at(runner.host(), c[0]).toDouble();
            EXPECT_GT(v, std::stod(c[1]));
            EXPECT_LT(v, std::stod(c[2]));
        } else if (key == "png") {
            const QImage picture(QString::fromStdString(runner.dataPath(c[0])));
            ASSERT_FALSE(picture.isNull());
            EXPECT_EQ(std::to_string(picture.width()) + "x" + std::to_string(picture.height()), c[1]);
            const auto xy = QString::fromStdString(c[2]).split(',');
            if (!c[2].empty())
                EXPECT_EQ(picture.pixelColor(xy[0].toInt(), xy[1].toInt()).name().toStdString(), c[3]);
        } else if (key == "pdf-line")
            EXPECT_TRUE(std::regex_search(summary(), std::regex("(^|\\n) ?" + c[0] + " ?(\\n|$)"))) << pdf;
        else if (key == "pdf-count")
            EXPECT_EQ(std::count(summary().begin(), summary().end(), c[0][0]), std::stoi(c[1])) << pdf;
        else if (key == "xlsx-file") {
            workbook = c[0]; // "~": the file whose name matches c[1]
            for (const auto &entry : fs::directory_iterator(runner.folder().path()))
                if (c[0] == "~" && std::regex_search(entry.path().filename().string(), std::regex(c[1])))
                    workbook = entry.path().filename().string();
            book.reset();
        } else if (key == "xlsx-sheet") {
            sheetIndex = std::stoul(c[0]);
        } else if (key.rfind("xlsx", 0) == 0) {
            if (!book)
                book = readXlsx(runner.dataPath(workbook));
            ASSERT_TRUE(book->ok && sheetIndex < book->sheets.size()) << book->error;
            const auto &sheet = book->sheets[sheetIndex];
            if (key == "xlsx-sheets") {
                std::string names;
                for (const auto &s : book->sheets)
                    names += (names.empty() ? "" : ",") + s.name;
                EXPECT_EQ(names, c[0]);
            } else if (key == "xlsx-row")
                EXPECT_EQ(sheet.rowHeights.at(std::stoi(c[0])), c[1]);
            else if (key == "xlsx-absent")
                EXPECT_FALSE(sheet.cells.count(c[0]));
            else if (key == "xlsx" && sheet.cells.count(c[0]))
                EXPECT_EQ(cellField(sheet.cells.at(c[0]), c[1]), c[2]);
            else
                ADD_FAILURE() << (key == "xlsx" ? "no cell " + c[0] : "unknown directive " + key);
        } else if (!has(" script run answer env remove write readonly host host-replace ", " " + key + " "))
            ADD_FAILURE() << "unknown directive \"" << key
                          << "\""; // a misspelt one fails, never passes unread
    }
}

INSTANTIATE_TEST_SUITE_P(Data, E2e, ::testing::ValuesIn(loadScenarios()), [](const auto &info) {
    return testName(fs::path(info.param.file).parent_path().filename().string() + "_" + info.param.name);
});

} // namespace
