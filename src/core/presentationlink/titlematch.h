#pragma once

#include "ports/presentationhost.h"
#include "ports/windowsystem.h"

#include <string>
#include <string_view>
#include <vector>

namespace quiz
{

// True when the whole text matches the pattern: "*" stands for any run of
// characters (also none), "?" for exactly one character. Characters are
// compared exactly; callers upper-case both sides for a case-blind match.
bool WildcardMatch(std::string_view text, std::string_view pattern);

// Cuts a window title to the length the window search reads (128
// characters), never inside a UTF-8 sequence.
std::string SearchableTitle(std::string_view title);

// The state of one window search. A search builds its own, so nothing is left
// over from the previous one.
struct TitleSearch {
    std::string titlePattern; // upper-cased unless caseSensitive
    bool caseSensitive = false;
    bool collectPptWindows = false;
    bool collectShowWindows = false;
    HostTitlePatterns patterns; // how the presentation program names its windows
    WindowHandle foundWindow = 0;
    // Filled only by collecting searches; each list ends with a 0 entry.
    std::vector<WindowHandle> pptWindows{0};
    std::vector<WindowHandle> showWindows{0};
    PixelRect pptWindowRect;
};

enum class SearchStep { Continue, Stop };

// Looks at one top-level window for the search: decides whether it matches,
// records it, and tells the enumeration whether to go on.
SearchStep MatchWindowTitle(const WindowInfo &window, TitleSearch &search);

// Runs MatchWindowTitle over the windows in order until it says stop.
void EnumerateWindows(const std::vector<WindowInfo> &windows, TitleSearch &search);

} // namespace quiz
