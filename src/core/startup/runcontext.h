#pragma once

#include "core/startup/quizstate.h"

namespace quiz {

class PresentationHost;
class WindowSystem;
class Dialogs;
class EventPump;
class ControllerChannel;
class ProgressView;

// What one run works with: the shared state and the platform behind its ports.
// Start-up fills it; every mode receives it.
struct RunContext {
    QuizState state;
    PresentationHost *host = nullptr;
    WindowSystem *windows = nullptr;
    Dialogs *dialogs = nullptr;
    EventPump *pump = nullptr;
    ControllerChannel *controller = nullptr;
    ProgressView *progress = nullptr;
};

} // namespace quiz
