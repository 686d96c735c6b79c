#include "showcompanion.h"

#include "core/common/runend.h"
#include "core/phonevote/slidevote.h"
#include "core/quiz/quizautostart.h"

#include <QProcess>

namespace quiz
{

namespace
{
constexpr int kPollMs = 250;
constexpr int kAttachEveryPolls = 8; // try the office again every 2 s
constexpr int kSettlePolls = 4;      // 1 s
} // namespace

ShowCompanion::ShowCompanion(const std::string &description, QString quizProgram, Log log)
    : description_(description), show_(description), clicks_(description),
      quizProgram_(std::move(quizProgram)), log_(std::move(log))
{
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
}

void ShowCompanion::start(int startSlide)
{
    startSlide_ = startSlide;
    timer_.start(kPollMs);
    poll();
}

void ShowCompanion::poll()
{
    if (!show_.attached()) {
        if (attachWait_-- > 0)
            return;
        attachWait_ = kAttachEveryPolls;
        std::string error;
        if (!show_.attach(&error)) {
            if (!unreachableNoted_)
                note(error + "; trying again every 2 s");
            unreachableNoted_ = true;
            return;
        }
        unreachableNoted_ = false;
        note("attached to LibreOffice Impress at \"" + description_ + "\"");
    }
    try {
        const ImpressShow::State state = show_.state();
        if (state.documentUrl.empty())
            return;
        if (seenDocuments_.insert(state.documentUrl).second) {
            if (const int changed = show_.convertImportedQuizShapes(); changed > 0)
                note("gave " + std::to_string(changed) + " QUIZ shape(s) of " + state.documentUrl +
                     " the extension's click action (the document is not saved)");
        }
        // The show starts once the presentation's window has been up for a
        // moment, or the window would come up over it.
        if (startSlide_ > 0 && !show_.documentWindowShown())
            windowUpPolls_ = 0;
        else if (startSlide_ > 0 && ++windowUpPolls_ >= kSettlePolls) {
            show_.start(startSlide_);
            note("started the show at slide " + std::to_string(startSlide_));
            startSlide_ = 0;
            return;
        }
        watchSlide(state);
        clicks_.poll(
            [this](const std::string &line) { note(line); },
            [this](const std::string &words) {
                const bool started = QProcess::startDetached(quizProgram_, {QString::fromStdString(words)},
                                                             QString::fromStdString(show_.folder()));
                note("a click on a QUIZ shape: " + std::string(started ? "started " : "could not start ") +
                     quizProgram_.toStdString() + " " + words);
            });
    } catch (const ImpressShow::ShowError &error) {
        note(std::string(error.what()) + (show_.attached() ? "" : "; detached, waiting for the office"));
        shownSlide_ = 0;
    }
}

void ShowCompanion::watchSlide(const ImpressShow::State &state)
{
    if (!state.running) {
        if (shownSlide_ != 0)
            reportSlide(0);
        shownSlide_ = 0;
        return;
    }
    if (state.slide == shownSlide_)
        return;
    if (!reportSlide(state.slide))
        return; // the slide is looked at again at the next poll
    shownSlide_ = state.slide;
    const std::string folder = show_.folder();
    for (const std::string &words : show_.quizWordsOn(state.slide)) {
        if (!displayStartsByItself(words, folder)) {
            note("slide " + std::to_string(state.slide) + " is shown: its quiz (" + words +
                 ") waits for a click");
            continue;
        }
        const bool started = QProcess::startDetached(quizProgram_, {QString::fromStdString(words)},
                                                     QString::fromStdString(folder));
        note("slide " + std::to_string(state.slide) +
             " is shown: " + (started ? "started " : "could not start ") + quizProgram_.toStdString() + " " +
             words + " (its quiz starts by itself)");
        return;
    }
}

bool ShowCompanion::reportSlide(int slide)
{
    if (!slideShown_)
        return true;
    std::string file, title;
    if (slide > 0) {
        bool read = false;
        try {
            if (!voteHost_)
                voteHost_ = std::make_unique<ImpressHost>(description_);
            if (voteHost_->attach()) {
                const HostSlide shown = voteHost_->slide(slide);
                file = voteFileOfSlide(shown);
                title = shown.title;
                read = true;
            }
        } catch (...) { // the office's failure, or its end (RunEnded)
            voteHost_.reset();
        }
        if (!read) {
            // A slide whose vote is missed would leave the phones without it:
            // it is read again until the office answers.
            if (unreadSlideNoted_ != slide)
                note("slide " + std::to_string(slide) +
                     ": its VOTE shape could not be read yet; trying again");
            unreadSlideNoted_ = slide;
            return false;
        }
    }
    unreadSlideNoted_ = 0;
    slideShown_(slide, file, title);
    return true;
}

void ShowCompanion::command(const std::string &command)
{
    try {
        if (const std::optional<int> from = nextSlideCommandNumber(command)) {
            const ImpressShow::State state = show_.state();
            if (!state.running)
                note(command + ": no show is running; nothing moved");
            else if (state.slide != *from)
                note(command + ": the show is on slide " + std::to_string(state.slide) + ", not " +
                     std::to_string(*from) + "; left there");
            else if (show_.gotoNextSlide()) {
                const ImpressShow::State moved = show_.state();
                note(command + ": moved the show on from slide " + std::to_string(*from) + " to slide " +
                     std::to_string(moved.slide));
                // The slide shown now is watched at once, so a quick move
                // back to the quiz slide is not missed between two polls.
                watchSlide(moved);
            }
        } else if (command == "InsertCharts") {
            note(command + ": the stand-in keeps no graphs of the votes; nothing inserted, the show goes on");
        }
    } catch (const ImpressShow::ShowError &error) {
        note(command + ": " + error.what());
    }
}

} // namespace quiz
