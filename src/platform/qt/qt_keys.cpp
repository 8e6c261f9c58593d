#include "platform/qt/qt_keys.h"

#include "platform/native_window.h"

namespace maltrove::platform {

namespace {

constexpr int kVkSpace = 0x20;
constexpr int kVkF1 = 0x70;

int NamedKey(int key) {
  switch (key) {
    case Qt::Key_Backspace: return kVkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return kVkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkReturn;
    case Qt::Key_Escape: return kVkEscape;
    case Qt::Key_PageUp: return kVkPrior;
    case Qt::Key_PageDown: return kVkNext;
    case Qt::Key_End: return kVkEnd;
    case Qt::Key_Home: return kVkHome;
    case Qt::Key_Left: return kVkLeft;
    case Qt::Key_Up: return kVkUp;
    case Qt::Key_Right: return kVkRight;
    case Qt::Key_Down: return kVkDown;
    case Qt::Key_Insert: return kVkInsert;
    case Qt::Key_Delete: return kVkDelete;
    case Qt::Key_Space: return kVkSpace;
    default: break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return kVkF1 + (key - Qt::Key_F1);
  return 0;
}

bool IsModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
         key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_CapsLock;
}

bool IsPrintableText(const QString& text) {
  if (text.isEmpty()) return false;
  for (const QChar c : text) {
    if (c.category() == QChar::Other_Control || c == QChar(0x7F)) return false;
  }
  return true;
}

}  // namespace

QString TypedText(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return {};
  const QString text = event.text();
  return IsPrintableText(text) ? text : QString();
}

int KeysOf(Qt::KeyboardModifiers modifiers) {
  int keys = 0;
  if (modifiers & Qt::ShiftModifier) keys |= kKeyShift;
  if (modifiers & Qt::ControlModifier) keys |= kKeyControl;
  if (modifiers & Qt::AltModifier) keys |= kKeyAlt;
  return keys;
}

int KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  if (const int named = NamedKey(key)) return named;
  if (IsModifierKey(key)) return 0;
  if (key == 0 || key == Qt::Key_unknown) {
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.toUpper().at(0).unicode();
  }
  // Qt names the Latin keys by their upper-case character codes.
  if (key < 0x10000) return QChar(key).toUpper().unicode();
  return 0;
}

}  // namespace maltrove::platform
