#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quiz
{

// Clicks on QUIZ shapes heard through the running show itself, so that the
// controller beside the office starts the quiz with no macro and no trusted
// location (docs/impress-night.md). While it follows a show, the QUIZ shapes
// of the macro form report their clicks to it and do not run their macro;
// when the show ends (or the follower goes) they run it again. The document
// keeps its modified state. Its own connection to the office.
class QuizShapeClicks
{
  public:
    using Note = std::function<void(const std::string &)>;
    using Start = std::function<void(const std::string &words)>;

    explicit QuizShapeClicks(std::string description);
    ~QuizShapeClicks();

    // One look at the office, on the caller's thread: follows a show that
    // started, lets go of one that ended, and starts (through `start`) the
    // quiz of every QUIZ shape clicked since the last look, its words given.
    // Each change is noted; a failure of the office is noted and let go.
    void poll(const Note &note, const Start &start);

  private:
    struct Office;
    std::string description_;
    std::unique_ptr<Office> office_;
};

} // namespace quiz
