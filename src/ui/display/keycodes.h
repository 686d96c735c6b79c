#pragma once

#include <Qt>

#include <functional>

class QEvent;
class QObject;

namespace quiz
{

// The virtual-key number of a Qt key (letters and digits by their upper-case
// character, Space 32, Enter 13, arrows 37-40 and so on); 0 for keys without one.
int virtualKeyCode(int qtKey);

// Modifiers as the display window reads them: 1 Shift, 2 Ctrl, 4 Alt.
int windowShiftState(Qt::KeyboardModifiers modifiers);

// Modifiers as the chart reports them: 1 Shift, 2 Alt, 4 Ctrl.
int chartShiftState(Qt::KeyboardModifiers modifiers);

// Keys reaching a window's focus button belong to the window, as a window that
// previews its controls' keys sees them first: a key press is handed to
// keyDown(virtual key, window shift state), and the press and its shortcut
// check are taken (true). Any other event is left alone (false).
bool takeFocusButtonKey(QObject *watched, QObject *focusButton, QEvent *event,
                        const std::function<void(int, int)> &keyDown);

} // namespace quiz
