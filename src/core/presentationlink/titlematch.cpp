#include "core/presentationlink/titlematch.h"

#include "core/common/text.h"

namespace quiz
{

namespace
{

// Splits UTF-8 text into characters; a byte that starts no valid sequence is
// one character on its own.
std::vector<std::string_view> characters(std::string_view text)
{
    std::vector<std::string_view> out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 1;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4;
        if (i + length > text.size())
            length = 1;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                length = 1;
                break;
            }
        out.push_back(text.substr(i, length));
        i += length;
    }
    return out;
}

void appendWindow(std::vector<WindowHandle> &list, WindowHandle window)
{
    if (list.empty())
        list.push_back(0);
    list.back() = window;
    list.push_back(0);
}

} // namespace

bool WildcardMatch(std::string_view text, std::string_view pattern)
{
    const auto t = characters(text);
    const auto p = characters(pattern);
    size_t ti = 0, pi = 0;
    size_t starAt = std::string_view::npos, resumeAt = 0;
    while (ti < t.size()) {
        if (pi < p.size() && p[pi] == "*") {
            starAt = pi++;
            resumeAt = ti;
        } else if (pi < p.size() && (p[pi] == "?" || p[pi] == t[ti])) {
            ++pi;
            ++ti;
        } else if (starAt != std::string_view::npos) {
            pi = starAt + 1;
            ti = ++resumeAt;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == "*")
        ++pi;
    return pi == p.size();
}

std::string SearchableTitle(std::string_view title)
{
    constexpr size_t kMaxCharacters = 128;
    const auto chars = characters(title);
    if (chars.size() <= kMaxCharacters)
        return std::string(title);
    std::string out;
    for (size_t i = 0; i < kMaxCharacters; ++i)
        out += chars[i];
    return out;
}

SearchStep MatchWindowTitle(const WindowInfo &window, TitleSearch &search)
{
    if (!window.visible || window.hasParent)
        return SearchStep::Continue;
    std::string title = SearchableTitle(window.title);
    if (title.empty())
        return SearchStep::Continue;
    if (!search.caseSensitive)
        title = toUpper(title);

    const std::string showPattern = toUpper(search.patterns.showWindow);
    const std::string mainPattern = toUpper(search.patterns.mainWindow);
    // Older versions of the presentation program title their show window
    // "PowerPoint - x" or "Microsoft PowerPoint - [x] PowerPoint-..."; a show
    // search takes those too.
    const bool bareProgramTitle = WildcardMatch(title, "POWERPOINT*") && !contains(title, "MICROSOFT");
    const bool mainWithShowTitle = WildcardMatch(title, "MICROSOFT POWERPOINT - *POWERPOINT*-*");
    const bool show = search.titlePattern == showPattern;

    const bool matches =
        (show && (bareProgramTitle || mainWithShowTitle)) || WildcardMatch(title, search.titlePattern);
    if (!matches)
        return SearchStep::Continue;

    search.foundWindow = window.handle;
    if (search.collectShowWindows &&
        ((show && mainWithShowTitle) || bareProgramTitle || WildcardMatch(title, showPattern))) {
        appendWindow(search.showWindows, window.handle);
        return SearchStep::Continue;
    }
    if (WildcardMatch(title, mainPattern) && search.collectPptWindows) {
        search.pptWindowRect = window.rect;
        appendWindow(search.pptWindows, window.handle);
        return SearchStep::Continue;
    }
    return SearchStep::Stop;
}

void EnumerateWindows(const std::vector<WindowInfo> &windows, TitleSearch &search)
{
    for (const auto &window : windows)
        if (MatchWindowTitle(window, search) == SearchStep::Stop)
            return;
}

} // namespace quiz
