#include "platform/qt/editor_widgets.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QKeyEvent>

namespace maltrove::platform {

ComboEditor::ComboEditor(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::activated, this, [this] {
    if (link_ != nullptr) link_->ListChosen();
  });
}

void ComboEditor::SetLink(EditorLink* link) { link_ = link; }

// A choice hides the list before it is activated: the link reports after
// the event, when it knows which of the two happened.
void ComboEditor::hidePopup() {
  const bool wasShown = view()->isVisible();
  QComboBox::hidePopup();
  if (wasShown && link_ != nullptr) link_->ListHidden();
}

DateEditor::DateEditor(QWidget* parent) : QDateEdit(parent) {
  setCalendarPopup(true);
  setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  QCalendarWidget* calendar = calendarWidget();
  // The popup hides either just before or just after the choice reaches us.
  auto chosen = [this] {
    if (link_ == nullptr) return;
    link_->ListHidden();
    link_->ListChosen();
  };
  connect(calendar, &QCalendarWidget::clicked, this, chosen);
  connect(calendar, &QCalendarWidget::activated, this, chosen);
  calendar->window()->installEventFilter(this);
}

void DateEditor::SetLink(EditorLink* link) { link_ = link; }

void DateEditor::StepSection() {
  const int width = currentSection() == QDateTimeEdit::YearSection ? 4 : 2;
  if (digitsInSection_ < width) return;
  digitsInSection_ = 0;
  setCurrentSectionIndex((currentSectionIndex() + 1) % sectionCount());
  setSelectedSection(currentSection());
}

void DateEditor::keyPressEvent(QKeyEvent* event) {
  const QDate before = date();
  const QString text = event->text();
  const int section = currentSectionIndex();
  QDateEdit::keyPressEvent(event);
  const bool digit = text.size() == 1 && text.at(0).isDigit();
  // Moving to another field, by Qt or by the user, starts the count again.
  digitsInSection_ = currentSectionIndex() != section ? 0 : digitsInSection_ + (digit ? 1 : 0);
  if (!digit) digitsInSection_ = 0;
  if (digit && date() != before && link_ != nullptr && link_->listener() != nullptr) {
    link_->listener()->OnEditorDateEdited();
  }
}

// The calendar's popup window hiding closes the list; a click on a date
// came just before it.
bool DateEditor::eventFilter(QObject* watched, QEvent* event) {
  const QCalendarWidget* calendar = calendarWidget();
  if (event->type() == QEvent::Hide && link_ != nullptr && calendar != nullptr &&
      watched == calendar->window()) {
    link_->ListHidden();
  }
  return QDateEdit::eventFilter(watched, event);
}

}  // namespace maltrove::platform
