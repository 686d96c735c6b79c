#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quiz
{

// A UI script drives the program's windows by object name, one action a line:
//   click NAME [X Y | ITEM]      dblclick NAME [X Y | ITEM]   rightclick NAME [X Y | ITEM]
//   drag NAME X1 Y1 X2 Y2        key NAME KEYS                text NAME [TEXT]
//   select NAME ITEM             tick NAME on|off             menu NAME ENTRY
//   wait MS | NAME               close WINDOW
// NAME is WINDOW or WINDOW/CONTROL[/CONTROL...], each an object name, with
// "(i)" for an element of a control array. Lines whose first non-blank
// character is '#' are comments; blank lines are skipped.

enum class UiActionKind { Click, DoubleClick, RightClick, Drag, Key, Text, Select, Tick, Menu, Wait, Close };

// Why a script stops. Each has its own exit code and log word.
enum class UiScriptFault {
    Unreadable,    // the script file cannot be read
    UnknownAction, // the first word names no action
    BadLine,       // the words after the action do not fit it
    Missing,       // the window or control did not appear in time
    Hidden,        // the control exists but is hidden
    Disabled,      // the control is disabled (or read-only, for text)
    Unfit,         // the control cannot take the action (no such item, entry or kind)
    Unfinished,    // the script ran out and the run did not end in time
};

int uiScriptExitCode(UiScriptFault fault);
std::string uiScriptFaultWord(UiScriptFault fault);

struct UiAction {
    int line = 0; // 1-based line of the script
    UiActionKind kind = UiActionKind::Click;
    std::string word;              // the action's word, in lower case
    std::string name;              // NAME as written; "" for wait
    std::string window;            // NAME's first part
    std::vector<std::string> path; // NAME's other parts; empty: the window itself
    std::string args;              // the rest of the line as written
    std::vector<int> numbers;      // X Y, X1 Y1 X2 Y2, or MS
    std::string text;              // KEYS, TEXT, ITEM or ENTRY
    bool on = false;               // tick
};

struct UiScriptError {
    int line = 0;
    UiScriptFault fault = UiScriptFault::BadLine;
    std::string word; // the first word of the line
    std::string name;
    std::string args;
    std::string message;
};

struct UiScript {
    std::vector<UiAction> actions;
    std::optional<UiScriptError> error; // the first line that does not parse
};

// Reads a whole script (LF or CR LF line ends).
UiScript parseUiScript(std::string_view content);

} // namespace quiz
