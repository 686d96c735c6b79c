#pragma once

#include "ports/dialogs.h"

namespace quiz
{

// The dialogs of a run without a screen and without an answers file: the
// first dialog ends the run at once (exit code 2) with one line on standard
// error naming the variable that would answer it, instead of waiting for a
// dialog nobody can see.
class NoScreenDialogs : public Dialogs
{
  public:
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
};

// What the line says to set.
inline constexpr const char *kDialogAnswersAdvice =
    "TALVIX_DIALOGS to an answers file (or TALVIX_OUTPUT to an output file for PRINT and EXPORT)";

} // namespace quiz
