#pragma once
// The forms' side of SetWindowPos: a form goes into or out of the topmost band of the z-order. Moving and
// sizing go through a form's bounds, so a call that asks for them is not taken.
#include "platform/window_position.h"

namespace tk {

// Makes this toolkit the positioner of SetWindowPos; user-interface thread, before the first window handle.
void PrepareWindowPositions();

} // namespace tk
