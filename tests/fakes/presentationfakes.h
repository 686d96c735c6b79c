#pragma once

#include "fakes/fakedialogs.h"
#include "ports/presentationhost.h"
#include "ports/windowsystem.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quiz::test
{

// A desktop held in memory: windows in z-order, a cursor with a Win32-like
// display count, and a log of what was done to each window.
class FakeWindowSystem : public WindowSystem
{
  public:
    std::vector<WindowInfo> windows;
    std::vector<std::string> calls; // "enable 3 0", "raise 3", "move 5 10,20,30x40", ...
    int cursorCount = 0;
    int showCursorCalls = 0;
    std::optional<PixelRect> confinement;
    int cursorX = -1, cursorY = -1;
    int clipboardClears = 0;

    WindowInfo &add(WindowHandle handle, std::string title, PixelRect rect = {0, 0, 800, 600})
    {
        WindowInfo info;
        info.handle = handle;
        info.title = std::move(title);
        info.rect = rect;
        windows.push_back(info);
        return windows.back();
    }
    WindowInfo &at(WindowHandle handle)
    {
        const auto w =
            std::find_if(windows.begin(), windows.end(), [&](auto &w) { return w.handle == handle; });
        return w != windows.end() ? *w : throw std::runtime_error("no window " + std::to_string(handle));
    }

    std::vector<WindowInfo> topLevelWindows() override { return windows; }
    WindowHandle ownHandle = 0; // the handle of every window of the program
    WindowHandle ownWindowHandle(QWidget *) override { return ownHandle; }
    PixelRect windowRect(WindowHandle window) override { return at(window).rect; }
    void enableWindow(WindowHandle window, bool enable) override
    {
        at(window).enabled = enable;
        call("enable", window, enable ? " 1" : " 0");
    }
    void raiseWindow(WindowHandle window) override { call("raise", window); }
    void activateWindow(WindowHandle window) override { call("activate", window); }
    void restoreWindow(WindowHandle window) override
    {
        at(window).minimised = false;
        call("restore", window);
    }
    void moveWindow(WindowHandle window, const PixelRect &r) override
    {
        at(window).rect = r;
        const auto n = [](int v) { return std::to_string(v); };
        call("move", window, " " + n(r.left) + "," + n(r.top) + "," + n(r.width) + "x" + n(r.height));
    }
    void closeWindow(WindowHandle window) override { call("close", window); }
    void hideWindow(WindowHandle window) override
    {
        at(window).visible = false;
        call("hide", window);
    }
    int showCursor(bool show) override
    {
        ++showCursorCalls;
        cursorCount += show ? 1 : -1;
        return cursorCount;
    }
    void confineCursor(const std::optional<PixelRect> &rect) override { confinement = rect; }
    void setCursorPos(int x, int y) override
    {
        cursorX = x;
        cursorY = y;
    }
    void clearClipboard() override { ++clipboardClears; }

  private:
    void call(const char *what, WindowHandle window, const std::string &more = "")
    {
        calls.push_back(what + (" " + std::to_string(window)) + more);
    }
};

// The presentation program as far as start-up, the window link, the batch
// modes and the chart insertion ask it; each answer can be set, and the show,
// the slide list or a shape update can be made to fail.
class FakeHost : public PresentationHost
{
  public:
    int pointerType = 1;
    bool pointerFails = false;
    HostTitlePatterns patterns;
    std::string addin = "/addin";
    int presentations = 1;
    std::string presentationPath = "/data/show.pptx";
    int showWindowCount = 1;
    int showingSlide = 1;
    bool showFails = false; // the show's slide cannot be read
    int viewType = 1;
    std::vector<std::string> macros;
    std::vector<HostSlide> slides; // 1-based through the port
    bool failOnSlides = false;
    PixelRect showRect;
    std::function<void(const std::string &path)> capture; // writes the show's picture
    std::vector<std::string> log; // "paste 3", "update 3 NAME", "delete 3 NAME" in order
    size_t updates = 0;
    std::vector<std::string> deleted;
    std::function<void(const std::string &shapeName)> onUpdate; // before each update; may throw

    HostSlide &addSlide(std::vector<std::pair<std::string, std::string>> shapes)
    {
        HostSlide &slide = slides.emplace_back();
        for (auto &[name, run] : shapes)
            slide.shapes.push_back(HostShape{name, run, {}});
        return slide;
    }

    bool attach() override { return true; }
    std::string addinFolder(const std::string &) override { return addin; }
    int presentationCount() override { return presentations; }
    std::string activePresentationPath() override { return presentationPath; }
    double pageWidth() override { return 720; }
    double pageHeight() override { return 540; }
    int activeWindowViewType() override { return viewType; }
    int selectedSlideIndex() override { return 1; }
    int slideCount() override
    {
        if (failOnSlides)
            throw HostError(-2147467259, "PowerPoint", "Presentation (unknown member) : Invalid request.");
        return static_cast<int>(slides.size());
    }
    HostSlide slide(int index) override { return slideAt(index); }
    void setSlideTitle(int, const std::string &) override {}
    void putVoteShape(int index, const std::string &run) override
    {
        slideAt(index).shapes.push_back(HostShape{"VOTE", run, {}});
    }
    void setSlideText(int index, const std::string &, const std::vector<std::string> &lines) override
    {
        slideAt(index).text.clear();
        for (const std::string &line : lines)
            slideAt(index).text += line + "\r";
    }
    void setSlideTag(int index, const std::string &tag, const std::string &value) override
    {
        slideAt(index).tags[tag] = value;
    }
    void deleteShapeTag(int index, const std::string &shape, const std::string &tag) override
    {
        for (HostShape &s : slideAt(index).shapes)
            if (s.name == shape)
                s.tags.erase(tag);
    }
    HostSlide &slideAt(int index)
    {
        if (index < 1 || index > static_cast<int>(slides.size()))
            throw HostError(9, "fake", "no slide " + std::to_string(index));
        return slides[index - 1];
    }
    int slideShowWindowCount() override { return showWindowCount; }
    int slideShowCurrentSlide() override
    {
        if (showFails)
            throw HostError(-2147188160, "Presentation host", "SlideShowWindows.Item: Integer out of range");
        return showingSlide;
    }
    PixelRect slideShowWindowRect() override { return showRect; }
    int slideShowPointerType() override { return pointerType; }
    void setSlideShowPointerType(int type) override
    {
        if (pointerFails)
            throw HostError(-2147188160, "fake", "SlideShowWindows.Item: Integer out of range");
        pointerType = type;
    }
    void captureSlideShow(const std::string &path) override
    {
        if (capture)
            capture(path);
    }
    std::string pastePicture(int slideIndex, const std::string &) override
    {
        log.push_back("paste " + std::to_string(slideIndex));
        return "Picture 5";
    }
    void updateShape(int slideIndex, const std::string &shapeName, const HostShape &) override
    {
        log.push_back("update " + std::to_string(slideIndex) + " " + shapeName);
        if (onUpdate)
            onUpdate(shapeName);
        ++updates;
    }
    void deleteShape(int slideIndex, const std::string &shapeName) override
    {
        log.push_back("delete " + std::to_string(slideIndex) + " " + shapeName);
        deleted.push_back(shapeName);
    }
    void runMacro(const std::string &name, const std::vector<std::string> &) override
    {
        macros.push_back(name);
    }
    HostTitlePatterns titlePatterns() override { return patterns; }
};

} // namespace quiz::test
