// The in-place editors whose Qt widgets need more than their signals: a
// combo box that tells when its list closes, and a date picker that tells
// when typed digits change its date.
#pragma once

#include <QComboBox>
#include <QDateEdit>

#include "platform/qt/editor_link.h"

namespace maltrove::platform {

class ComboEditor : public QComboBox {
  Q_OBJECT

 public:
  explicit ComboEditor(QWidget* parent);
  void SetLink(EditorLink* link);
  void hidePopup() override;

 private:
  EditorLink* link_ = nullptr;  // a child: lives as long as the widget
};

class DateEditor : public QDateEdit {
  Q_OBJECT

 public:
  explicit DateEditor(QWidget* parent);
  void SetLink(EditorLink* link);
  // The next field (year, month, day), round to the first, once the digits
  // typed into this field fill it.
  void StepSection();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;

  EditorLink* link_ = nullptr;
  int digitsInSection_ = 0;  // typed into the current field
};

}  // namespace maltrove::platform
