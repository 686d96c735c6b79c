#pragma once

#include "adapters/impress/impressshowclicks.h"
#include "adapters/impress/impressshowuno.h"
#include "adapters/impress/impressunohost.h"

#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <set>
#include <string>

namespace quiz
{

// The controller's side of a quiz night in LibreOffice Impress: attached to
// the office, it moves the show on when a DISPLAY run ends ("NextSlide,N"),
// starts the DISPLAY run of a quiz slide whose quiz starts by itself when the
// slide is shown, and gives the QUIZ shapes of an imported presentation the
// extension's click action when it first sees the document. Every step is
// logged. Polls the office on the program's one thread.
class ShowCompanion
{
  public:
    using Log = std::function<void(const std::string &)>;

    ShowCompanion(const std::string &description, QString quizProgram, Log log);
    // Starts watching; with startSlide > 0 the show is started there once a
    // presentation is open.
    void start(int startSlide);
    // A command the controller received.
    void command(const std::string &command);
    // Told of every slide the show comes to (0 when the show ends) with the
    // question file its VOTE shape names ("" for none) and its title: the
    // phones' votes.
    using SlideShown = std::function<void(int slide, const std::string &voteFile, const std::string &title)>;
    void onSlideShown(SlideShown slideShown) { slideShown_ = std::move(slideShown); }

  private:
    void poll();
    void watchSlide(const ImpressShow::State &state);
    void note(const std::string &line) { log_("impress: " + line); }
    // Tells the phones which slide is shown and its question; false when the
    // office could not give the slide's shapes yet (tried again at the next poll).
    bool reportSlide(int slide);

    std::string description_;
    ImpressShow show_;
    QuizShapeClicks clicks_;
    QString quizProgram_;
    Log log_;
    QTimer timer_;
    std::set<std::string> seenDocuments_;
    int startSlide_ = 0;
    int shownSlide_ = 0;
    int unreadSlideNoted_ = 0;
    bool unreachableNoted_ = false;
    int attachWait_ = 0;
    int windowUpPolls_ = 0;
    SlideShown slideShown_;
    std::unique_ptr<ImpressHost> voteHost_; // reads a slide's VOTE shape as the program does
};

} // namespace quiz
