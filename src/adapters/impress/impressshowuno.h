#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quiz
{

// The running slide show of the presentation open in LibreOffice Impress, as
// the controller beside the office sees it: where the show is, moving it on,
// starting it, and the QUIZ shapes of its slides (docs/impress-night.md).
// Every call runs on the thread that attached; a failure of the office,
// a closed connection too, is a ShowError.
class ImpressShow
{
  public:
    struct ShowError : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    struct State {
        std::string documentUrl; // the active presentation; "" when none is open
        bool running = false;
        int slide = 0; // 1-based in the document's numbering, 0 when no show runs
    };

    explicit ImpressShow(std::string description);
    ~ImpressShow();

    // Connects when not yet connected; false (with the reason) when no office answers.
    bool attach(std::string *error);
    void detach();
    bool attached() const { return office_ != nullptr; }

    State state();
    // Shows the slide after the current one; false when no show runs.
    bool gotoNextSlide();
    // Whether the presentation's own window is up (a show started before it
    // would be covered by it).
    bool documentWindowShown();
    // Starts the show at a slide (1-based).
    void start(int slide);
    // The command words of the slide's QUIZ shapes in the macro form, in the slide's order.
    std::vector<std::string> quizWordsOn(int slide);
    // Gives every QUIZ shape still in the imported form (a program or document
    // action with a run string) the macro form; the document is not saved and
    // keeps its modified state. The number of shapes changed.
    int convertImportedQuizShapes();
    // The presentation's folder (a local path); "" when it was never saved.
    std::string folder();

  private:
    struct Office;
    std::string description_;
    std::unique_ptr<Office> office_;
};

} // namespace quiz
