#pragma once

#include "ports/geometry.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace quiz
{

// A failed call into the presentation program, with the number and texts an
// error report shows.
class HostError : public std::runtime_error
{
  public:
    HostError(int number, std::string source, const std::string &description)
        : std::runtime_error(description), number_(number), source_(std::move(source))
    {
    }
    int number() const { return number_; }
    const std::string &source() const { return source_; }

  private:
    int number_;
    std::string source_;
};

struct HostShape {
    std::string name;
    std::string runString; // the click action's program and arguments
    std::map<std::string, std::string> tags;
    // Placement in points, for picture shapes.
    double left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
};

struct HostSlide {
    std::string title;
    std::string text; // the slide's text, lines ended by CR, LF or a vertical tab
    std::map<std::string, std::string> tags;
    std::vector<HostShape> shapes;
};

// Title patterns that name the presentation program's windows. The window link
// keeps its matching rules; the host says what its windows are called.
struct HostTitlePatterns {
    std::string anyWindow = "*powerpoint*";                // the program is running
    std::string mainWindow = "*Microsoft*PowerPoint*";     // main windows
    std::string showWindow = "*PowerPoint Slide Show -*";  // slide-show windows
    std::string mainWindowTitle = "PowerPoint";            // activated by QuitQuiz
    std::string showWindowTitle = "PowerPoint Slide Show"; // activated by QuitQuiz
};

// The presentation program and its add-in, as the program relies on them.
// Every operation may throw HostError.
class PresentationHost
{
  public:
    virtual ~PresentationHost() = default;

    // Attaching: false when the presentation program is not running.
    virtual bool attach() = 0;
    virtual std::string addinFolder(const std::string &addinName) = 0;

    virtual int presentationCount() = 0;
    // Full path of the active presentation's file; "" when it was never saved.
    virtual std::string activePresentationPath() = 0;
    virtual double pageWidth() = 0;  // points
    virtual double pageHeight() = 0; // points
    virtual int activeWindowViewType() = 0;
    virtual int selectedSlideIndex() = 0; // the slide selected in the main window, 1-based

    virtual int slideCount() = 0;
    virtual HostSlide slide(int index) = 0; // 1-based
    virtual void setSlideTitle(int index, const std::string &title) = 0;
    virtual void setSlideTag(int index, const std::string &tagName, const std::string &value) = 0;
    // Removes a tag of the first shape of that name; no such tag is no error.
    virtual void deleteShapeTag(int slideIndex, const std::string &shapeName, const std::string &tagName) = 0;

    virtual int slideShowWindowCount() = 0;
    virtual int slideShowCurrentSlide() = 0; // 1-based index shown by the first show window
    virtual PixelRect slideShowWindowRect() = 0;
    virtual int slideShowPointerType() = 0;
    virtual void setSlideShowPointerType(int type) = 0; // 3 hidden, 4 automatic arrow
    // Writes a picture of the show window, at the window's size, to imagePath.
    virtual void captureSlideShow(const std::string &imagePath) = 0;

    // Pastes the picture file into the slide as a new shape; returns its name.
    virtual std::string pastePicture(int slideIndex, const std::string &imagePath) = 0;
    // Updates the placement, visibility and name of an existing shape.
    virtual void updateShape(int slideIndex, const std::string &shapeName, const HostShape &shape) = 0;
    virtual void deleteShape(int slideIndex, const std::string &shapeName) = 0;
    // Puts a "VOTE" shape on the slide whose click action's run string is
    // runString; the slide's first shape named "VOTE" (any case) gets the run
    // string instead of a second one being added.
    virtual void putVoteShape(int slideIndex, const std::string &runString) = 0;
    // Writes text on the slide: the title when one is given, and the lines as
    // its body text.
    virtual void setSlideText(int slideIndex, const std::string &title,
                              const std::vector<std::string> &lines) = 0;

    virtual void runMacro(const std::string &name, const std::vector<std::string> &args) = 0;

    // What the program's windows are called (the window system finds and
    // changes them).
    virtual HostTitlePatterns titlePatterns() = 0;
};

} // namespace quiz
