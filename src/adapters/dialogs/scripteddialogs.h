#pragma once

#include "adapters/dialogs/dialogrecord.h"
#include "ports/dialogs.h"

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace quiz
{

// Dialogs that show nothing: each takes the next scripted answer line, and
// every dialog is recorded (in memory, and as one JSON line in the log file
// when one is named).
//
// Answer lines: OK, Cancel, Yes, No (message boxes); text:VALUE (input box);
// file:PATH (save or open); font:NAME,SIZE,BOLD,ITALIC,UNDERLINE,STRIKE,COLOUR;
// pdf:PATH or printer:NAME (print). Cancel cancels any dialog. With no line
// left a message box takes its first button and any other dialog is
// cancelled. A line that does not fit the dialog cancels it (a message box
// then takes the button Escape would press) and is reported on standard error.
class ScriptedDialogs : public Dialogs
{
  public:
    // Answers given directly; records kept in memory only.
    explicit ScriptedDialogs(std::vector<std::string> answers);
    // Answers given directly; each record also appended to logPath.
    ScriptedDialogs(std::vector<std::string> answers, std::string logPath);
    // Answers read from answersPath (one per line; a missing file gives
    // none), records appended to answersPath + ".log".
    static ScriptedDialogs fromFile(const std::string &answersPath);

    MessageAnswer message(const std::string &text, const std::string &title, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<std::string> input(const std::string &prompt, const std::string &title,
                                     const std::string &defaultText) override;
    std::optional<std::string> saveFile(const std::string &title, const std::string &defaultName,
                                        const std::string &filter) override;
    std::optional<std::string> openFile(const std::string &title, const std::string &defaultName,
                                        const std::string &filter) override;
    std::optional<FontChoice> font(const std::string &title, const FontChoice &initial) override;
    std::optional<PrintTarget> print(const std::string &title) override;

    const std::vector<DialogRecord> &records() const { return records_; }
    std::size_t answersLeft() const { return answers_.size(); }
    const std::string &logPath() const { return logPath_; }

  private:
    std::optional<std::string> nextAnswer();
    std::optional<std::string> fileDialog(const std::string &kind, const std::string &title,
                                          const std::string &defaultName);
    void record(DialogRecord record, const std::optional<std::string> &badLine);

    std::deque<std::string> answers_;
    std::string logPath_;
    std::vector<DialogRecord> records_;
};

// The lines of an answers file: CR LF or LF ends a line; a last line without
// an end counts; no file gives no lines.
std::vector<std::string> readAnswerLines(const std::string &path);

} // namespace quiz
