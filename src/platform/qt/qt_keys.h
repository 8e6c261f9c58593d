// Qt's keys and modifiers as the window system's key codes and InputKeys,
// and the text a key typed.
#pragma once

#include <QKeyEvent>

namespace maltrove::platform {

// InputKeys bits of the modifiers.
int KeysOf(Qt::KeyboardModifiers modifiers);

// The VirtualKey code, or the upper-case character code; 0 for keys with
// neither (modifier keys on their own).
int KeyCodeOf(const QKeyEvent& event);

// The text the key typed: empty for control characters (Escape, Enter,
// Tab, Backspace, Delete) and for keys held with Ctrl or Alt, whose text
// is a shortcut's, not a character.
QString TypedText(const QKeyEvent& event);

}  // namespace maltrove::platform
