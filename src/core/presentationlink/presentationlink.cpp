#include "core/presentationlink/presentationlink.h"

#include "core/common/text.h"
#include "core/presentationlink/titlematch.h"
#include "ports/dialogs.h"
#include "ports/presentationhost.h"

#include <cmath>
#include <exception>

namespace quiz
{

namespace
{

HostTitlePatterns patternsOf(RunContext &ctx)
{
    if (ctx.host) {
        try {
            return ctx.host->titlePatterns();
        } catch (const std::exception &) {
        }
    }
    return {};
}

TitleSearch newSearch(RunContext &ctx, const std::string &pattern, bool caseSensitive)
{
    TitleSearch search;
    search.titlePattern = caseSensitive ? pattern : toUpper(pattern);
    search.caseSensitive = caseSensitive;
    search.patterns = patternsOf(ctx);
    return search;
}

template <typename Step> void ignoringErrors(Step step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}

bool isMinimised(RunContext &ctx, WindowHandle window)
{
    for (const auto &info : ctx.windows->topLevelWindows())
        if (info.handle == window)
            return info.minimised;
    return false;
}

} // namespace

WindowHandle FindWindowByTitle(RunContext &ctx, const std::string &pattern, bool caseSensitive)
{
    TitleSearch search = newSearch(ctx, pattern, caseSensitive);
    EnumerateWindows(ctx.windows->topLevelWindows(), search);
    return search.foundWindow;
}

bool WindowExists(RunContext &ctx, const std::string &pattern)
{
    return FindWindowByTitle(ctx, pattern, false) != 0;
}

WindowHandle FindWindowToActivate(RunContext &ctx, const std::string &title)
{
    if (title.empty())
        return 0;
    if (const WindowHandle exact = FindWindowByTitle(ctx, title, false))
        return exact;
    return FindWindowByTitle(ctx, title + "*", false);
}

void CollectPowerPointWindows(RunContext &ctx)
{
    const HostTitlePatterns patterns = patternsOf(ctx);
    ctx.state.pptWindows = {0};
    ctx.state.showWindows = {0};
    ctx.state.pptWindowRect = {};

    TitleSearch mainSearch = newSearch(ctx, patterns.mainWindow, false);
    mainSearch.collectPptWindows = true;
    EnumerateWindows(ctx.windows->topLevelWindows(), mainSearch);
    ctx.state.pptWindows = mainSearch.pptWindows;
    ctx.state.pptWindowRect = mainSearch.pptWindowRect;

    TitleSearch showSearch = newSearch(ctx, patterns.showWindow, false);
    showSearch.collectShowWindows = true;
    EnumerateWindows(ctx.windows->topLevelWindows(), showSearch);
    ctx.state.showWindows = showSearch.showWindows;
}

void EnablePowerPointWindows(RunContext &ctx, bool enable)
{
    const HostTitlePatterns patterns = patternsOf(ctx);
    ignoringErrors([&] { CollectPowerPointWindows(ctx); });

    bool mainExists = false;
    ignoringErrors([&] { mainExists = WindowExists(ctx, patterns.mainWindow); });
    if (mainExists) {
        const bool raise = toUpper(ctx.state.modeWord) != "DISPLAY";
        for (WindowHandle window : ctx.state.pptWindows) {
            if (window < 1)
                continue;
            ignoringErrors([&] { ctx.windows->enableWindow(window, enable); });
            if (raise)
                ignoringErrors([&] { ctx.windows->raiseWindow(window); });
        }
    }

    bool showExists = false;
    ignoringErrors([&] { showExists = WindowExists(ctx, patterns.showWindow); });
    if (showExists) {
        if (ctx.host)
            ignoringErrors([&] { ctx.host->setSlideShowPointerType(enable ? 4 : 3); });
        for (WindowHandle window : ctx.state.showWindows) {
            if (window < 1)
                continue;
            ignoringErrors([&] { ctx.windows->enableWindow(window, enable); });
            ignoringErrors([&] { ctx.windows->raiseWindow(window); });
        }
    }
}

PointD CentredFormPosition(const PixelRect &over, int twipsPerPixelX, int twipsPerPixelY, double formWidth,
                           double formHeight)
{
    const double l = double(over.left) * twipsPerPixelX, r = double(over.right()) * twipsPerPixelX;
    const double t = double(over.top) * twipsPerPixelY, b = double(over.bottom()) * twipsPerPixelY;
    return {l + ((r - l) - formWidth) / 2, t + ((b - t) - formHeight) / 2};
}

void CentreOverPowerPoint(RunContext &ctx, LinkForm &form, bool show)
{
    const HostTitlePatterns patterns = patternsOf(ctx);
    if (!WindowExists(ctx, patterns.anyWindow))
        return;
    CollectPowerPointWindows(ctx);
    const auto mainWindows = ctx.state.pptWindows;
    for (WindowHandle window : mainWindows) {
        if (window >= 1 && isMinimised(ctx, window)) {
            ctx.windows->restoreWindow(window);
            CollectPowerPointWindows(ctx);
        }
    }
    const PointD at = CentredFormPosition(ctx.state.pptWindowRect, ctx.state.twipsPerPixelX,
                                          ctx.state.twipsPerPixelY, form.width(), form.height());
    form.moveTo(at.x, at.y);
    if (show)
        form.show();
}

void PlaceOverSlideShow(RunContext &ctx, WindowHandle window, double top, double left, double height,
                        double width)
{
    const auto &shows = ctx.state.showWindows;
    if (shows.empty() || shows.front() < 1)
        return; // no show window: the caller checks for the show first
    const PixelRect showRect = ctx.windows->windowRect(shows.front());
    if (showRect.width <= 0 || showRect.height <= 0)
        return;
    const PixelRect windowRect = ctx.windows->windowRect(window);
    ctx.windows->moveWindow(window, SlideShowPlacement(showRect, windowRect, top, left, height, width));
}

PixelRect FormPixelRect(const LinkForm &form, int twipsPerPixelX, int twipsPerPixelY)
{
    const int left = wholePixels(form.left() / twipsPerPixelX);
    const int top = wholePixels(form.top() / twipsPerPixelY);
    const int right = wholePixels(form.left() / twipsPerPixelX + form.width() / twipsPerPixelX);
    const int bottom = wholePixels(form.top() / twipsPerPixelY + form.height() / twipsPerPixelY);
    return {left, top, right - left, bottom - top};
}

void ConfineCursorToWindow(RunContext &ctx, const LinkForm &form)
{
    const PixelRect r = FormPixelRect(form, ctx.state.twipsPerPixelX, ctx.state.twipsPerPixelY);
    ctx.windows->setCursorPos(r.right() - 10, r.bottom() - 10);
    HideCursor(ctx);
    ctx.windows->confineCursor(r);
}

void ReleaseCursor(RunContext &ctx)
{
    ShowCursorAgain(ctx);
    ctx.windows->confineCursor(std::nullopt);
}

// The display count may start anywhere; a bound keeps a faulty window system
// from holding the program in the loop.
constexpr int kMaxCursorSteps = 1000;

void HideCursor(RunContext &ctx)
{
    for (int i = 0; i < kMaxCursorSteps; ++i)
        if (ctx.windows->showCursor(false) < 0)
            return;
}

void ShowCursorAgain(RunContext &ctx)
{
    for (int i = 0; i < kMaxCursorSteps; ++i)
        if (ctx.windows->showCursor(true) >= 0)
            return;
}

void ParkCursorOnShow(RunContext &ctx)
{
    const auto &shows = ctx.state.showWindows;
    if (shows.empty() || shows.front() < 1)
        return;
    ctx.windows->confineCursor(std::nullopt);
    const PixelRect r = ctx.windows->windowRect(shows.front());
    ctx.windows->setCursorPos(r.left, r.bottom());
}

void HideAllForms(RunContext &ctx)
{
    const auto windows = ctx.windows->topLevelWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (it->ownWindow && it->visible)
            ctx.windows->hideWindow(it->handle);
}

void ClearClipboard(RunContext &ctx)
{
    ctx.windows->clearClipboard();
}

bool CheckFileName(const std::string &name, Dialogs &dialogs)
{
    static const char forbidden[] = {'\\', '/', ':', '*', '?', '"', '<', '>', '|', ','};
    for (char c : forbidden) {
        if (name.find(c) != std::string::npos) {
            dialogs.message(std::string("Filename may not contain ") + c, "talvix matrix",
                            MessageIcon::Information, MessageButtons::Ok);
            return true;
        }
    }
    return false;
}

} // namespace quiz
