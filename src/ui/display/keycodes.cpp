#include "ui/display/keycodes.h"

#include <QKeyEvent>

#include "core/display/displaykeys.h"

namespace quiz
{

int virtualKeyCode(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // Qt uses the same upper-case character codes
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return keyBackspace;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keyEnter;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_Escape:
        return keyEscape;
    case Qt::Key_Space:
        return keySpace;
    case Qt::Key_PageUp:
        return keyPageUp;
    case Qt::Key_PageDown:
        return keyPageDown;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return keyLeft;
    case Qt::Key_Up:
        return keyUp;
    case Qt::Key_Right:
        return keyRight;
    case Qt::Key_Down:
        return keyDown;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

int windowShiftState(Qt::KeyboardModifiers modifiers)
{
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state += shiftStateShift;
    if (modifiers & Qt::ControlModifier)
        state += shiftStateCtrl;
    if (modifiers & Qt::AltModifier)
        state += shiftStateAlt;
    return state;
}

int chartShiftState(Qt::KeyboardModifiers modifiers)
{
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state += chartShiftShift;
    if (modifiers & Qt::AltModifier)
        state += chartShiftAlt;
    if (modifiers & Qt::ControlModifier)
        state += chartShiftCtrl;
    return state;
}

bool takeFocusButtonKey(QObject *watched, QObject *focusButton, QEvent *event,
                        const std::function<void(int, int)> &keyDown)
{
    if (watched != focusButton ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        keyDown(virtualKeyCode(key->key()), windowShiftState(key->modifiers()));
    }
    event->accept();
    return true;
}

} // namespace quiz
