#include "adapters/uiscript/uiscriptrunner.h"

#include "adapters/dialogs/dialogrecord.h"
#include "adapters/uiscript/uiactions.h"
#include "adapters/uiscript/uiinput.h"

#include <QTimer>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace quiz
{

namespace
{

// How often an action looks again for its window and control.
constexpr int pollMs = 20;

} // namespace

UiScriptRunner::UiScriptRunner(UiScript script, std::string logPath, Stop stop, int timeoutMs)
    : script_(std::move(script)), logPath_(std::move(logPath)), stop_(std::move(stop)), timeoutMs_(timeoutMs)
{
    if (!logPath_.empty())
        std::ofstream(logPath_, std::ios::binary | std::ios::trunc);
}

UiScriptRunner::~UiScriptRunner()
{
    if (!started_ || stopped_)
        return;
    for (size_t i = next_; i < script_.actions.size(); ++i) {
        const UiAction &a = script_.actions[i];
        log(a.line, a.word, a.name, a.args, "notrun", "the run ended first");
    }
}

std::unique_ptr<UiScriptRunner> UiScriptRunner::fromFile(const std::string &path, Stop stop, int timeoutMs)
{
    std::ifstream in(path, std::ios::binary);
    UiScript script;
    if (in)
        script =
            parseUiScript(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    else
        script.error = UiScriptError{0, UiScriptFault::Unreadable, "", "", path, "cannot read " + path};
    return std::make_unique<UiScriptRunner>(std::move(script), path + ".log", std::move(stop), timeoutMs);
}

void UiScriptRunner::start()
{
    if (started_)
        return;
    started_ = true;
    if (const auto &e = script_.error) {
        fail(e->line, e->word, e->name, e->args, e->fault, e->message);
        return;
    }
    // Keys are checked before anything runs, as the words of every line are.
    for (const UiAction &a : script_.actions)
        if (a.kind == UiActionKind::Key && !parseKeys(QString::fromStdString(a.text))) {
            fail(a.line, a.word, a.name, a.args, UiScriptFault::BadLine, "\"" + a.text + "\" names no keys");
            return;
        }
    schedule(0);
}

void UiScriptRunner::schedule(int ms)
{
    QTimer::singleShot(ms, this, &UiScriptRunner::step);
}

void UiScriptRunner::step()
{
    if (stopped_)
        return;
    if (next_ >= script_.actions.size()) {
        if (!endArmed_) {
            endArmed_ = true;
            QTimer::singleShot(timeoutMs_, this, [this] {
                if (!stopped_)
                    fail(0, "end", "", "", UiScriptFault::Unfinished,
                         "the script ran out and the run did not end within " + std::to_string(timeoutMs_) +
                             " ms");
            });
        }
        return;
    }
    const UiAction &a = script_.actions[next_];
    if (a.kind == UiActionKind::Wait && !a.numbers.empty()) {
        log(a.line, a.word, a.name, a.args, "ok", "");
        ++next_;
        schedule(a.numbers[0]);
        return;
    }
    const UiTarget target = findUiTarget(a);
    if (!target.widget) {
        if (!lookAgainLater())
            fail(a.line, a.word, a.name, a.args, UiScriptFault::Missing,
                 target.missing + " after " + std::to_string(timeoutMs_) + " ms");
        return;
    }
    UiPreparedAction prepared = prepareUiAction(a, target.widget);
    if (prepared.fault) {
        // "wait NAME" waits on while the control is hidden, disabled or behind a modal window.
        if (a.kind != UiActionKind::Wait || !lookAgainLater())
            fail(a.line, a.word, a.name, a.args, *prepared.fault, prepared.message);
        return;
    }
    waiting_ = false;
    log(a.line, a.word, a.name, a.args, "ok", "");
    // The next action is due before this one's input, which may open a modal loop.
    ++next_;
    schedule(0);
    prepared.perform();
}

bool UiScriptRunner::lookAgainLater()
{
    if (!waiting_) {
        waiting_ = true;
        waited_.start();
    }
    if (waited_.elapsed() >= timeoutMs_)
        return false;
    schedule(pollMs);
    return true;
}

void UiScriptRunner::fail(int line, const std::string &word, const std::string &target,
                          const std::string &args, UiScriptFault fault, const std::string &message)
{
    stopped_ = true;
    log(line, word, target, args, uiScriptFaultWord(fault), message);
    const std::string where = line > 0 ? "ui script line " + std::to_string(line) : "ui script";
    if (stop_)
        stop_(uiScriptExitCode(fault), where + ": " + message);
}

void UiScriptRunner::log(int line, const std::string &word, const std::string &target,
                         const std::string &args, const std::string &result, const std::string &message)
{
    if (logPath_.empty())
        return;
    std::ofstream out(logPath_, std::ios::binary | std::ios::app);
    out << "{\"line\":" << line << ",\"action\":" << jsonQuoted(word) << ",\"target\":" << jsonQuoted(target)
        << ",\"args\":" << jsonQuoted(args) << ",\"result\":" << jsonQuoted(result)
        << ",\"message\":" << jsonQuoted(message) << "}\n";
    if (!out)
        std::fprintf(stderr, "quiz: cannot append to the ui script log %s\n", logPath_.c_str());
}

} // namespace quiz
