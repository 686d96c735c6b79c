#include "adapters/dialogs/unattendeddialogs.h"

#include "core/common/text.h"

#include <cstdio>

namespace quiz
{

UnattendedDialogs::UnattendedDialogs(std::string outputPath, std::function<void(const std::string &)> note)
    : output_(std::move(outputPath)), note_(std::move(note))
{
    if (!note_)
        note_ = [](const std::string &line) { std::fprintf(stderr, "quiz: %s\n", line.c_str()); };
}

MessageAnswer UnattendedDialogs::message(const std::string &text, const std::string &title, MessageIcon,
                                         MessageButtons buttons)
{
    // The replace question is answered without a note: replacing is what the run is for.
    if (title != "Confirm File Replace")
        note_(title + ": " + replaceAll(replaceAll(text, "\r\n", " "), "\n", " "));
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                      : MessageAnswer::Ok;
}

std::optional<std::string> UnattendedDialogs::input(const std::string &, const std::string &,
                                                    const std::string &)
{
    return std::nullopt;
}

std::optional<std::string> UnattendedDialogs::saveFile(const std::string &, const std::string &,
                                                       const std::string &)
{
    return output_;
}

std::optional<std::string> UnattendedDialogs::openFile(const std::string &, const std::string &,
                                                       const std::string &)
{
    return std::nullopt;
}

std::optional<FontChoice> UnattendedDialogs::font(const std::string &, const FontChoice &)
{
    return std::nullopt;
}

std::optional<PrintTarget> UnattendedDialogs::print(const std::string &)
{
    return PrintTarget{"", output_};
}

std::string unattendedOutputPath(const char *value, const std::string &startFolder)
{
    if (!value || !*value)
        return {};
    std::string path = value;
    if (path[0] == '/' || startFolder.empty())
        return path;
    return startFolder + (startFolder.back() == '/' ? "" : "/") + path;
}

} // namespace quiz
