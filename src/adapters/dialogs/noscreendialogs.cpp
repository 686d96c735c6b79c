#include "adapters/dialogs/noscreendialogs.h"

#include "qtsupport/noscreen.h"

namespace quiz
{

namespace
{

[[noreturn]] void cannotShow(const std::string &kind, const std::string &title)
{
    endRunWithoutScreen("the " + kind + " \"" + title + "\"", kDialogAnswersAdvice);
}

} // namespace

MessageAnswer NoScreenDialogs::message(const std::string &, const std::string &title, MessageIcon,
                                       MessageButtons)
{
    cannotShow("message", title);
}

std::optional<std::string> NoScreenDialogs::input(const std::string &, const std::string &title,
                                                  const std::string &)
{
    cannotShow("input box", title);
}

std::optional<std::string> NoScreenDialogs::saveFile(const std::string &title, const std::string &,
                                                     const std::string &)
{
    cannotShow("save dialog", title);
}

std::optional<std::string> NoScreenDialogs::openFile(const std::string &title, const std::string &,
                                                     const std::string &)
{
    cannotShow("open dialog", title);
}

std::optional<FontChoice> NoScreenDialogs::font(const std::string &title, const FontChoice &)
{
    cannotShow("font dialog", title);
}

std::optional<PrintTarget> NoScreenDialogs::print(const std::string &title)
{
    cannotShow("print dialog", title);
}

} // namespace quiz
