#pragma once

#include "ports/dialogs.h"

#include <vector>

namespace quiz::test
{

// Records every message box and answers with the first button; other dialogs are cancelled.
class FakeDialogs : public Dialogs
{
  public:
    struct Message {
        std::string text;
        std::string title;
        MessageIcon icon;
        MessageButtons buttons;
    };
    MessageAnswer message(const std::string &text, const std::string &title, MessageIcon icon,
                          MessageButtons buttons) override
    {
        messages.push_back({text, title, icon, buttons});
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                          : MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string &, const std::string &, const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> saveFile(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<FontChoice> font(const std::string &, const FontChoice &) override { return std::nullopt; }
    std::optional<PrintTarget> print(const std::string &) override { return std::nullopt; }

    std::vector<Message> messages;
};

} // namespace quiz::test
