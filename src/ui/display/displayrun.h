#pragma once

#include "ui/display/frmtchartdisplay.h"

#include <string>
#include <vector>

namespace quiz
{

struct RunContext;

// Steps the DISPLAY and INSERT runs share.

// Reads the quiz set-up file (dataFolder + "/" + quizFileName) into the state
// and returns the quiz's question file names in quiz order.
std::vector<std::string> ReadQuizForDisplay(RunContext &ctx);

// Asks the controller for the participant names, when the run has a link.
void LoadDisplayParticipants(RunContext &ctx);

// Moves the display window's area down by 22 pixels of the screen.
void MoveDisplayAreaDown(RunContext &ctx);

// The display window's hooks in the program: QuitQuiz, QuitAndRunBrevak, the
// window fade (with the run's chartFade) and the insertion's marker.
DisplayWindowHooks programDisplayHooks(RunContext &ctx);

// Where a run without a screen leaves the display's picture.
std::string offscreenPicturePath(const RunContext &ctx);
// Writes the window as it would show (through a temporary file); false on failure.
bool saveWindowPicture(QWidget *window, const std::string &path);

// The size, in pixels, of the window an insertion renders: the inserted
// picture's size in points at 96 pixels per inch, so that the picture is not
// stretched out of shape on the slide. 640 x 480 when the page is unknown.
QSize insertWindowSize(RunContext &ctx);

} // namespace quiz
