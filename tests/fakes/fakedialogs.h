#pragma once

#include "ports/dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace quiz::test
{

// The first of the queued answers, taken off the queue; none when it is empty.
template <typename T> std::optional<T> takeFirst(std::deque<T> &queue)
{
    if (queue.empty())
        return std::nullopt;
    T first = std::move(queue.front());
    queue.pop_front();
    return first;
}

struct ShownMessage {
    std::string text, title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Records every dialog. A message box takes the next queued answer, else its
// first button; an input, file or print dialog takes the next queued answer,
// else it is cancelled; a font dialog is cancelled.
class FakeDialogs : public Dialogs
{
  public:
    std::vector<ShownMessage> messages;
    std::vector<std::string> prompts; // input boxes, file and print dialogs, by title
    std::vector<std::string> kinds; // "message", "input", "save", "open", "font", "print" in the order shown
    std::string saveDefault, saveFilter; // the last save dialog's
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<std::optional<PrintTarget>> printAnswers;
    std::vector<std::pair<std::string, std::string>> inputs; // each input box's prompt and preset text

    MessageAnswer message(const std::string &text, const std::string &title, MessageIcon icon,
                          MessageButtons buttons) override
    {
        messages.push_back({text, title, icon, buttons});
        kinds.push_back("message");
        const bool yes = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
        return takeFirst(messageAnswers).value_or(yes ? MessageAnswer::Yes : MessageAnswer::Ok);
    }
    std::optional<std::string> input(const std::string &prompt, const std::string &title,
                                     const std::string &defaultText) override
    {
        inputs.emplace_back(prompt, defaultText);
        return next(textAnswers, "input", title);
    }
    std::optional<std::string> saveFile(const std::string &title, const std::string &defaultName,
                                        const std::string &filter) override
    {
        saveDefault = defaultName;
        saveFilter = filter;
        return next(textAnswers, "save", title);
    }
    std::optional<std::string> openFile(const std::string &title, const std::string &,
                                        const std::string &) override
    {
        return next(textAnswers, "open", title);
    }
    std::optional<FontChoice> font(const std::string &title, const FontChoice &) override
    {
        std::deque<std::optional<FontChoice>> none;
        return next(none, "font", title);
    }
    std::optional<PrintTarget> print(const std::string &title) override
    {
        return next(printAnswers, "print", title);
    }

    // Message i in one line: "title|text|icon|buttons", e.g. "Quiz|Saved|information|ok".
    std::string said(size_t i) const
    {
        static const char *icons[] = {"none", "critical", "exclamation", "information", "question"};
        static const char *buttons[] = {"ok", "okcancel", "yesno", "yesnocancel"};
        if (i >= messages.size())
            return "no message " + std::to_string(i);
        const ShownMessage &m = messages[i];
        return m.title + "|" + m.text + "|" + icons[int(m.icon)] + "|" + buttons[int(m.buttons)];
    }

  private:
    template <typename T>
    std::optional<T> next(std::deque<std::optional<T>> &answers, const char *kind, const std::string &title)
    {
        kinds.push_back(kind);
        prompts.push_back(title);
        return takeFirst(answers).value_or(std::nullopt);
    }
};

} // namespace quiz::test
