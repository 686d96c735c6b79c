#pragma once

#include "core/display/showplacement.h"
#include "core/startup/runcontext.h"
#include "ports/geometry.h"
#include "ports/windowsystem.h"

#include <string>

namespace quiz
{

class Dialogs;

// One of the program's forms as the window link places it; positions and
// sizes in twips, as the forms keep them.
class LinkForm
{
  public:
    virtual ~LinkForm() = default;
    virtual double left() const = 0;
    virtual double top() const = 0;
    virtual double width() const = 0;
    virtual double height() const = 0;
    virtual void moveTo(double left, double top) = 0;
    virtual void show() = 0; // not modal
};

// The window-level link to the presentation program: finding its windows by
// title, keeping the user out of them while a quiz window is up, placing the
// program's windows over the slide show, and the cursor. Every function uses
// ctx.windows; those that need the presentation program use ctx.host, and the
// window lists live in ctx.state (pptWindows, showWindows, pptWindowRect).

// The first visible top-level window whose title matches the pattern
// (upper-cased unless caseSensitive); 0 when none.
WindowHandle FindWindowByTitle(RunContext &ctx, const std::string &pattern, bool caseSensitive);
bool WindowExists(RunContext &ctx, const std::string &pattern);
// The window activating a program by its title reaches: the first visible
// window titled exactly so (ignoring case), else the first whose title
// begins with the text; 0 when none.
WindowHandle FindWindowToActivate(RunContext &ctx, const std::string &title);

// Refills pptWindows, showWindows and pptWindowRect.
void CollectPowerPointWindows(RunContext &ctx);

// Enables or disables the presentation program's windows and shows or hides
// the slide-show pointer. Every failure is ignored.
void EnablePowerPointWindows(RunContext &ctx, bool enable);

// Where a form of the given size (twips) lands when centred over the
// rectangle (pixels), in twips.
PointD CentredFormPosition(const PixelRect &over, int twipsPerPixelX, int twipsPerPixelY, double formWidth,
                           double formHeight);
// Centres the form over the presentation program's main window, restoring
// that window first when it is minimised; shows the form when asked.
void CentreOverPowerPoint(RunContext &ctx, LinkForm &form, bool show);

// Moves the window over the first slide-show window of showWindows.
void PlaceOverSlideShow(RunContext &ctx, WindowHandle window, double top, double left, double height,
                        double width);

// The form's rectangle in pixels, as the cursor is confined to it.
PixelRect FormPixelRect(const LinkForm &form, int twipsPerPixelX, int twipsPerPixelY);
void ConfineCursorToWindow(RunContext &ctx, const LinkForm &form);
void ReleaseCursor(RunContext &ctx);
void HideCursor(RunContext &ctx);
void ShowCursorAgain(RunContext &ctx);
void ParkCursorOnShow(RunContext &ctx);

// Hides every visible window of the program, from the last to the first.
void HideAllForms(RunContext &ctx);
void ClearClipboard(RunContext &ctx);

// True when the name holds a character that a file name may not hold, after
// telling the user which.
bool CheckFileName(const std::string &name, Dialogs &dialogs);

} // namespace quiz
