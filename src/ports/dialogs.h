#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quiz
{

enum class MessageIcon { None, Critical, Exclamation, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct FontChoice {
    std::string name = "Arial";
    int size = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeThrough = false;
    std::uint32_t colour = 0; // blue-green-red
    bool operator==(const FontChoice &) const = default;
};

// Where a print job goes: a printer of the system, or a PDF file.
struct PrintTarget {
    std::string printerName; // "" with a pdfPath
    std::string pdfPath;     // "" for a printer
};

// Every question the program asks the user. A cancelled dialog answers
// nullopt (or Cancel for a message box).
class Dialogs
{
  public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer message(const std::string &text, const std::string &title,
                                  MessageIcon icon = MessageIcon::None,
                                  MessageButtons buttons = MessageButtons::Ok) = 0;
    virtual std::optional<std::string> input(const std::string &prompt, const std::string &title,
                                             const std::string &defaultText) = 0;
    virtual std::optional<std::string> saveFile(const std::string &title, const std::string &defaultName,
                                                const std::string &filter) = 0;
    virtual std::optional<std::string> openFile(const std::string &title, const std::string &defaultName,
                                                const std::string &filter) = 0;
    virtual std::optional<FontChoice> font(const std::string &title, const FontChoice &initial) = 0;
    virtual std::optional<PrintTarget> print(const std::string &title) = 0;
    // True when the dialogs are windows on the screen that the user answers,
    // so that the program's own dialog windows may stand in for them.
    virtual bool onScreen() const { return false; }
};

} // namespace quiz
