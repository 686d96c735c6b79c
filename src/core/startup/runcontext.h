#pragma once

#include "core/startup/programenvironment.h"
#include "core/startup/quizstate.h"

namespace quiz
{

class PresentationHost;
class WindowSystem;
class Dialogs;
class EventPump;
class ControllerChannel;
class ProgressView;
class ControllerLink;
class WorkbookWriter;
class Printer;

// What one run works with: the shared state and the platform behind its ports.
// Start-up fills it; every mode receives it.
struct RunContext {
    QuizState state;
    // The program's environment, read once at its start.
    ProgramEnvironment environment;
    PresentationHost *host = nullptr;
    WindowSystem *windows = nullptr;
    Dialogs *dialogs = nullptr;
    EventPump *pump = nullptr;
    ControllerChannel *controller = nullptr;
    ProgressView *progress = nullptr;
    // The conversation with the controller over `controller`: one per run,
    // opened on first use; QuitQuiz and the modes share it.
    ControllerLink *link = nullptr;
    // Saves the workbooks the batch modes build.
    WorkbookWriter *workbooks = nullptr;
    // Prints the score summary.
    Printer *printer = nullptr;
};

} // namespace quiz
