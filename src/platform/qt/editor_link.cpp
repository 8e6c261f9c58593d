#include "platform/qt/editor_link.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/native_window.h"
#include "platform/qt/qt_keys.h"

namespace maltrove::platform {

namespace {

bool IsTextKind(EditorKind kind) {
  return kind == EditorKind::kText || kind == EditorKind::kMultiLine;
}

// The editor's text and its caret as a UTF-16 position.
QString TextAndCaret(QWidget* editor, int* caret) {
  if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    *caret = line->cursorPosition();
    return line->text();
  }
  if (auto* plain = qobject_cast<QPlainTextEdit*>(editor)) {
    *caret = plain->textCursor().position();
    return plain->toPlainText();
  }
  *caret = 0;
  return {};
}

}  // namespace

int Utf8Offset(const QString& text, int position) {
  return static_cast<int>(text.left(position).toUtf8().size());
}

EditorLink::EditorLink(QWidget* editor, EditorKind kind, EditorListener* listener)
    : QObject(editor), editor_(editor), kind_(kind), listener_(listener) {
  editor->installEventFilter(this);
}

bool EditorLink::eventFilter(QObject* watched, QEvent* event) {
  if (watched != editor_ || listener_ == nullptr) return false;
  if (event->type() == QEvent::KeyPress) return OnKeyPress(static_cast<QKeyEvent*>(event));
  if (event->type() == QEvent::FocusOut && !FocusWentToOwnPopup()) {
    listener_->OnEditorFocusLost();
  }
  return false;
}

// The combo box's list and the date picker's calendar are top-level
// children of the editor; some platforms make them the active window.
bool EditorLink::FocusWentToOwnPopup() const {
  for (QWidget* top : {QApplication::activePopupWidget(), QApplication::activeWindow()}) {
    for (QWidget* w = top; w != nullptr; w = w->parentWidget()) {
      if (w == editor_) return true;
    }
  }
  return false;
}

bool EditorLink::OnKeyPress(QKeyEvent* event) {
  int key = 0;
  int keys = KeysOf(event->modifiers());
  switch (event->key()) {
    case Qt::Key_Escape: key = kVkEscape; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (kind_ == EditorKind::kMultiLine) return false;  // a line break
      key = kVkReturn;
      break;
    case Qt::Key_Tab: key = kVkTab; break;
    case Qt::Key_Backtab:
      key = kVkTab;
      keys |= kKeyShift;
      break;
    default:
      const QString typed = TypedText(*event);
      return IsTextKind(kind_) && !typed.isEmpty() && !OfferCharacter(typed);
  }
  listener_->OnEditorKey(key, keys);  // may destroy the editor: nothing after it
  return true;
}

bool EditorLink::OfferCharacter(const QString& character) {
  int caret = 0;
  const QString text = TextAndCaret(editor_, &caret);
  return listener_->AcceptEditorChar(character.toStdString(), text.toStdString(),
                                     Utf8Offset(text, caret));
}

void EditorLink::ListHidden() {
  if (list_closing_) return;
  list_closing_ = true;
  QMetaObject::invokeMethod(this, &EditorLink::ReportListClosed, Qt::QueuedConnection);
}

void EditorLink::ListChosen() {
  if (list_closing_) {
    list_chosen_ = true;
  } else if (listener_ != nullptr) {
    listener_->OnEditorListClosed(true);
  }
}

void EditorLink::ReportListClosed() {
  if (!list_closing_) return;
  const bool chosen = list_chosen_;
  list_closing_ = list_chosen_ = false;
  if (listener_ != nullptr) listener_->OnEditorListClosed(chosen);
}

}  // namespace maltrove::platform
