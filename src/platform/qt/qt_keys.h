// Qt's keys and modifiers as the window system's key codes and InputKeys.
#pragma once

#include <QKeyEvent>

namespace maltrove::platform {

// InputKeys bits of the modifiers.
int KeysOf(Qt::KeyboardModifiers modifiers);

// The VirtualKey code, or the upper-case character code; 0 for keys with
// neither (modifier keys on their own).
int KeyCodeOf(const QKeyEvent& event);

}  // namespace maltrove::platform
