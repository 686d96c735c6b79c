#pragma once

namespace quiz
{

// Shift states as the display window receives them: 1 Shift, 2 Ctrl, 4 Alt,
// added together.
inline constexpr int shiftStateShift = 1;
inline constexpr int shiftStateCtrl = 2;
inline constexpr int shiftStateAlt = 4;

// The chart reports its modifiers in its own order: 1 Shift, 2 Alt, 4 Ctrl.
inline constexpr int chartShiftShift = 1;
inline constexpr int chartShiftAlt = 2;
inline constexpr int chartShiftCtrl = 4;

// Key codes of the keys the display answers (virtual-key numbers).
enum DisplayKeyCode {
    keyBackspace = 8,
    keyEnter = 13,
    keyEscape = 27,
    keySpace = 32,
    keyPageUp = 33,
    keyPageDown = 34,
    keyLeft = 37,
    keyUp = 38,
    keyRight = 39,
    keyDown = 40,
    keyN = 78,
    keyP = 80,
    keyQ = 81,
};

enum class DisplayKeyAction {
    None,
    QuitAndRunBrevak, // Alt+Q: hand over to the add-in's "Brevak" macro
    EndAndMoveOn,     // end the display; the show goes on to the next slide
    EndAndStay,       // end the display; the show stays on its slide
};

// What a key pressed on the display window does.
DisplayKeyAction displayKeyAction(int keyCode, int shiftState);

// The shift state the chart's key event hands on to the window: the chart's 2
// becomes 4, every other value passes unchanged.
int chartShiftToWindowShift(int chartShiftState);

} // namespace quiz
