// EditorLink: joins an in-place editor widget to its EditorListener. It is
// the widget's event filter (Escape, Enter, Tab and Backtab become listener
// keys, typed characters are offered to the listener first, focus leaving
// is reported) and the one place the listener is reached through, so that
// cutting the link silences the widget while it is being destroyed.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/editor_window.h"

namespace maltrove::platform {

class EditorLink : public QObject {
  Q_OBJECT

 public:
  // A child of `editor`, filtering its events.
  EditorLink(QWidget* editor, EditorKind kind, EditorListener* listener);

  // nullptr once cut.
  EditorListener* listener() const { return listener_; }
  void Cut() { listener_ = nullptr; }

  // The drop-down list or calendar closed; reported after the current
  // event, so that a choice made in the same event counts.
  void ListHidden();
  void ListChosen();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool OnKeyPress(QKeyEvent* event);
  bool FocusWentToOwnPopup() const;
  bool OfferCharacter(const QString& text);
  void ReportListClosed();

  QPointer<QWidget> editor_;
  EditorKind kind_;
  EditorListener* listener_;
  bool list_closing_ = false;
  bool list_chosen_ = false;
};

// The UTF-8 byte offset of the UTF-16 position `position` in `text`.
int Utf8Offset(const QString& text, int position);

}  // namespace maltrove::platform
