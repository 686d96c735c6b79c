#pragma once

#include "ports/dialogs.h"

#include <functional>
#include <string>

namespace quiz
{

// The environment variable that names the output file of an unattended
// PRINT (a PDF file) or EXPORT (the workbook) run.
inline constexpr const char *kOutputVariable = "TALVIX_OUTPUT";

// Dialogs for unattended reporting runs: nothing is shown. The save dialog
// answers the output file, the print dialog a PDF file of that name, the
// "Confirm File Replace" question Yes (the output is meant to be replaced);
// every other message box takes its first button (OK, Yes) and its text goes
// to the note sink ("TITLE: TEXT" on one line). Input, open and font dialogs
// are cancelled.
class UnattendedDialogs : public Dialogs
{
  public:
    explicit UnattendedDialogs(std::string outputPath, std::function<void(const std::string &)> note = {});

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

    const std::string &outputPath() const { return output_; }

  private:
    std::string output_;
    std::function<void(const std::string &)> note_;
};

// The output file named by TALVIX_OUTPUT made absolute against the folder the
// program was started in; "" when the variable is unset or empty.
std::string unattendedOutputPath(const char *value, const std::string &startFolder);

} // namespace quiz
