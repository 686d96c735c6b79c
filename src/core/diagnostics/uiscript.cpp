#include "core/diagnostics/uiscript.h"

#include "core/common/text.h"

#include <array>
#include <cctype>
#include <charconv>

namespace quiz
{

namespace
{

struct FaultInfo {
    const char *word;
    int exitCode;
};

FaultInfo faultInfo(UiScriptFault fault)
{
    switch (fault) {
    case UiScriptFault::Unreadable:
        return {"unreadable", 80};
    case UiScriptFault::UnknownAction:
        return {"unknown", 81};
    case UiScriptFault::BadLine:
        return {"badline", 82};
    case UiScriptFault::Missing:
        return {"missing", 83};
    case UiScriptFault::Hidden:
        return {"hidden", 84};
    case UiScriptFault::Disabled:
        return {"disabled", 85};
    case UiScriptFault::Unfit:
        return {"unfit", 86};
    case UiScriptFault::Unfinished:
        return {"unfinished", 87};
    }
    return {"badline", 82};
}

struct ActionWord {
    const char *word;
    UiActionKind kind;
};

constexpr std::array<ActionWord, 11> actionWords{{
    {"click", UiActionKind::Click},
    {"dblclick", UiActionKind::DoubleClick},
    {"rightclick", UiActionKind::RightClick},
    {"drag", UiActionKind::Drag},
    {"key", UiActionKind::Key},
    {"text", UiActionKind::Text},
    {"select", UiActionKind::Select},
    {"tick", UiActionKind::Tick},
    {"menu", UiActionKind::Menu},
    {"wait", UiActionKind::Wait},
    {"close", UiActionKind::Close},
}};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Splits off the first blank-separated word; `rest` starts after one blank.
std::string_view takeWord(std::string_view &text, std::string_view *restAfterOneBlank = nullptr)
{
    size_t start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    size_t end = start;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    const std::string_view word = text.substr(start, end - start);
    if (restAfterOneBlank)
        *restAfterOneBlank = end < text.size() ? text.substr(end + 1) : std::string_view();
    text = text.substr(end);
    return word;
}

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> out;
    for (std::string_view w = takeWord(text); !w.empty(); w = takeWord(text))
        out.emplace_back(w);
    return out;
}

std::optional<int> integer(const std::string &text, bool allowNegative)
{
    int value = 0;
    if (text.empty() || (!allowNegative && text[0] == '-'))
        return std::nullopt;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// One part of a NAME: an object name, optionally ending in "(digits)".
bool validNamePart(const std::string &part)
{
    if (part.empty())
        return false;
    const size_t open = part.find('(');
    if (open == std::string::npos)
        return part.find(')') == std::string::npos;
    if (open == 0 || part.back() != ')' || open + 2 > part.size() - 1)
        return false;
    for (size_t i = open + 1; i + 1 < part.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(part[i])))
            return false;
    return true;
}

// Fills the action from the words after the action word; returns an error message or "".
std::string readArguments(UiAction &a, std::string_view rest)
{
    std::string_view afterName;
    std::string_view scan = rest;
    a.name = std::string(takeWord(scan, &afterName));
    a.args = trim(afterName);
    const std::vector<std::string> argWords = words(afterName);

    if (a.kind == UiActionKind::Wait) {
        if (a.name.empty())
            return "wait takes a number of milliseconds or a NAME";
        // wait MS: a pause; wait NAME: until the control can be reached.
        if (const std::optional<int> ms = integer(a.name, true)) {
            a.args = a.name;
            a.name.clear();
            if (*ms < 0 || !argWords.empty())
                return "wait takes one number of milliseconds";
            a.numbers = {*ms};
            return "";
        }
    }
    if (a.name.empty())
        return a.word + " needs a NAME";
    const std::vector<std::string> parts = split(a.name, "/");
    for (const std::string &part : parts)
        if (!validNamePart(part))
            return "\"" + a.name +
                   "\" is not a NAME (WINDOW or WINDOW/CONTROL, with (i) for an array element)";
    a.window = parts.front();
    a.path.assign(parts.begin() + 1, parts.end());

    auto numbers = [&](size_t count, bool allowNegative) {
        if (argWords.size() != count)
            return false;
        for (const std::string &w : argWords) {
            const std::optional<int> n = integer(w, allowNegative);
            if (!n)
                return false;
            a.numbers.push_back(*n);
        }
        return true;
    };

    switch (a.kind) {
    case UiActionKind::Click:
    case UiActionKind::DoubleClick:
    case UiActionKind::RightClick:
        // Two integers are a point on the control; any other text is an item.
        if (!argWords.empty() && !numbers(2, true)) {
            a.numbers.clear();
            a.text = a.args;
        }
        return "";
    case UiActionKind::Drag:
        return numbers(4, true) ? "" : "drag takes NAME X1 Y1 X2 Y2";
    case UiActionKind::Key:
        a.text = a.args;
        return a.text.empty() ? "key takes NAME KEYS" : "";
    case UiActionKind::Text:
        // Everything after the blank that ends NAME, blanks included.
        a.text = std::string(afterName);
        a.args = a.text;
        return "";
    case UiActionKind::Select:
        a.text = a.args;
        return a.text.empty() ? "select takes NAME ITEM" : "";
    case UiActionKind::Tick:
        if (argWords.size() == 1 && (iequals(argWords[0], "on") || iequals(argWords[0], "off"))) {
            a.on = iequals(argWords[0], "on");
            return "";
        }
        return "tick takes NAME on or NAME off";
    case UiActionKind::Menu:
        if (argWords.size() != 1 || !validNamePart(argWords[0]))
            return "menu takes NAME ENTRY (the entry's object name)";
        a.text = argWords[0];
        return "";
    case UiActionKind::Close:
        return a.path.empty() && argWords.empty() ? "" : "close takes one WINDOW";
    case UiActionKind::Wait:
        return argWords.empty() ? "" : "wait takes one NAME";
    }
    return "";
}

} // namespace

int uiScriptExitCode(UiScriptFault fault)
{
    return faultInfo(fault).exitCode;
}

std::string uiScriptFaultWord(UiScriptFault fault)
{
    return faultInfo(fault).word;
}

UiScript parseUiScript(std::string_view content)
{
    UiScript script;
    int lineNumber = 0;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view line = content.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::string trimmed = trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;

        std::string_view rest;
        std::string_view scan = line;
        UiAction action;
        action.line = lineNumber;
        const std::string written(takeWord(scan, &rest));
        for (char c : written)
            action.word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        bool known = false;
        for (const ActionWord &w : actionWords)
            if (action.word == w.word) {
                action.kind = w.kind;
                known = true;
            }
        if (!known) {
            script.error = UiScriptError{lineNumber, UiScriptFault::UnknownAction,        written, "",
                                         trim(rest), "unknown action \"" + written + "\""};
            return script;
        }
        const std::string message = readArguments(action, rest);
        if (!message.empty()) {
            script.error = UiScriptError{
                lineNumber, UiScriptFault::BadLine, action.word, action.name, action.args, message};
            return script;
        }
        script.actions.push_back(std::move(action));
    }
    return script;
}

} // namespace quiz
