#pragma once

#include "ports/dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace quiz::test {

struct ShownMessage {
    std::string text, title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Records every message box and input box. A message box takes the next
// queued answer, else its first button; an input or file dialog takes the
// next queued answer, else it is cancelled.
class FakeDialogs : public Dialogs {
public:
    std::vector<ShownMessage> messages;
    std::vector<std::string> prompts; // input boxes and file dialogs, by title
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<std::string>> textAnswers;

    MessageAnswer message(const std::string &text, const std::string &title, MessageIcon icon,
                          MessageButtons buttons) override
    {
        messages.push_back({text, title, icon, buttons});
        if (!messageAnswers.empty()) {
            const MessageAnswer a = messageAnswers.front();
            messageAnswers.pop_front();
            return a;
        }
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                          : MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string &, const std::string &title, const std::string &) override
    {
        return nextText(title);
    }
    std::optional<std::string> saveFile(const std::string &title, const std::string &, const std::string &) override
    {
        return nextText(title);
    }
    std::optional<std::string> openFile(const std::string &title, const std::string &, const std::string &) override
    {
        return nextText(title);
    }
    std::optional<FontChoice> font(const std::string &, const FontChoice &) override { return std::nullopt; }
    std::optional<PrintTarget> print(const std::string &) override { return std::nullopt; }

private:
    std::optional<std::string> nextText(const std::string &title)
    {
        prompts.push_back(title);
        if (textAnswers.empty())
            return std::nullopt;
        auto a = textAnswers.front();
        textAnswers.pop_front();
        return a;
    }
};

} // namespace quiz::test
