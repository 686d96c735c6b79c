#pragma once

#include "core/startup/quizstate.h"

#include <functional>
#include <string>

namespace quiz
{

class ControllerChannel;
class Dialogs;
class EventPump;

// The program's side of the conversation with the voting controller (the
// hidden "comms" form): one per run, opened on first use and kept open for the
// rest of the run. Texts the controller sends land in the received text
// (txt_data) and are parsed at once; a names list fills state.participants.
class ControllerLink
{
  public:
    // The controller program in the add-in folder.
    static constexpr const char *programName = "tlxctrl";
    // How long to wait for a controller we started to accept connections
    // before giving up with "No link with voting control utility".
    static constexpr int startWaitLimitMs = 10000;
    static constexpr int startWaitStepMs = 50;
    static constexpr int startYields = 501;

    // quit ends the run the common way (QuitQuiz); if it ever returns, the
    // link ends the run itself.
    ControllerLink(QuizState &state, ControllerChannel &channel, EventPump &pump, Dialogs &dialogs,
                   std::function<void()> quit);

    // Opens (or re-opens) the link and says "CheckLink"; starts the controller
    // when it is not running. Ends the run when no link can be made.
    void ResetLink();
    // Sends one command, never twice. A refused command does nothing more; any
    // other failure re-opens the link.
    void SendCommandtoController(const std::string &command);
    // Parses the received text: a complete names list replaces
    // state.participants; a status block and any other text change nothing.
    void txt_data_Change();

    const std::string &receivedText();
    void clearReceivedText();
    // For the channel and tests: the controller sent a new text.
    void setReceivedText(const std::string &text);

    bool loaded() const { return loaded_; }

  private:
    void load();
    bool startAndWait();
    [[noreturn]] void noLink();

    QuizState &state_;
    ControllerChannel &channel_;
    EventPump &pump_;
    Dialogs &dialogs_;
    std::function<void()> quit_;
    std::string txtData_;
    bool loaded_ = false;
    bool ending_ = false;
    int waitCounter_ = 0;
};

} // namespace quiz
