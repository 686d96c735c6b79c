#pragma once

#include <Qt>

namespace quiz {

// The virtual-key number of a Qt key (letters and digits by their upper-case
// character, Space 32, Enter 13, arrows 37-40 and so on); 0 for keys without one.
int virtualKeyCode(int qtKey);

// Modifiers as the display window reads them: 1 Shift, 2 Ctrl, 4 Alt.
int windowShiftState(Qt::KeyboardModifiers modifiers);

// Modifiers as the chart reports them: 1 Shift, 2 Alt, 4 Ctrl.
int chartShiftState(Qt::KeyboardModifiers modifiers);

} // namespace quiz
