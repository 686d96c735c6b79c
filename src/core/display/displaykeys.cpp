#include "core/display/displaykeys.h"

namespace quiz
{

DisplayKeyAction displayKeyAction(int keyCode, int shiftState)
{
    if (shiftState == shiftStateAlt && keyCode == keyQ)
        return DisplayKeyAction::QuitAndRunBrevak;
    switch (keyCode) {
    case keyRight:
    case keyDown:
    case keySpace:
    case keyPageDown:
    case keyEnter:
    case keyN:
        return DisplayKeyAction::EndAndMoveOn;
    case keyEscape:
    case keyQ:
    case keyPageUp:
    case keyUp:
    case keyLeft:
    case keyP:
    case keyBackspace:
        return DisplayKeyAction::EndAndStay;
    default:
        return DisplayKeyAction::None;
    }
}

int chartShiftToWindowShift(int chartShiftState)
{
    return chartShiftState == chartShiftAlt ? shiftStateAlt : chartShiftState;
}

} // namespace quiz
