#include "platform/qt/qt_editor.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/qt/editor_link.h"
#include "platform/qt/editor_widgets.h"
#include "platform/qt/qt_fonts.h"

namespace maltrove::platform {

namespace {

Qt::Alignment AlignmentOf(int align) {
  if (align & kTextRight) return Qt::AlignRight | Qt::AlignVCenter;
  if (align & kTextCenter) return Qt::AlignHCenter | Qt::AlignVCenter;
  return Qt::AlignLeft | Qt::AlignVCenter;
}

QWidget* MakeLineEdit(QWidget* parent, const EditorRequest& request) {
  auto* edit = new QLineEdit(parent);
  edit->setFrame(true);
  edit->setAlignment(AlignmentOf(request.align));
  edit->setText(QString::fromStdString(request.text));
  edit->selectAll();
  return edit;
}

QWidget* MakePlainEdit(QWidget* parent, const EditorRequest& request) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setTabChangesFocus(false);
  edit->setPlainText(QString::fromStdString(request.text));
  edit->selectAll();
  return edit;
}

ComboEditor* MakeCombo(QWidget* parent, const EditorRequest& request) {
  auto* combo = new ComboEditor(parent);
  for (const std::string& item : request.items) combo->addItem(QString::fromStdString(item));
  combo->setCurrentIndex(request.selected);
  return combo;
}

DateEditor* MakeDate(QWidget* parent, const EditorRequest& request) {
  auto* edit = new DateEditor(parent);
  const QDate asked(request.year, request.month, request.day);
  edit->setDate(request.hasDate && asked.isValid() ? asked : QDate::currentDate());
  return edit;
}

QWidget* MakeWidget(QWidget* parent, const EditorRequest& request) {
  switch (request.kind) {
    case EditorKind::kMultiLine: return MakePlainEdit(parent, request);
    case EditorKind::kSelect: return MakeCombo(parent, request);
    case EditorKind::kDate: return MakeDate(parent, request);
    case EditorKind::kText: break;
  }
  return MakeLineEdit(parent, request);
}

void SendKeyText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &release);
  }
}

}  // namespace

std::unique_ptr<EditorWindow> MakeQtEditor(QWidget* parent, const EditorRequest& request,
                                           EditorListener* listener) {
  QWidget* widget = MakeWidget(parent, request);
  widget->hide();
  widget->setFont(FontFor(request.font));
  auto* link = new EditorLink(widget, request.kind, listener);
  if (auto* combo = qobject_cast<ComboEditor*>(widget)) combo->SetLink(link);
  if (auto* date = qobject_cast<DateEditor*>(widget)) date->SetLink(link);
  return std::make_unique<QtEditor>(widget, request.kind, link);
}

QtEditor::QtEditor(QWidget* widget, EditorKind kind, EditorLink* link)
    : widget_(widget), kind_(kind), link_(link) {}

QtEditor::~QtEditor() {
  if (link_) link_->Cut();
  if (!widget_) return;
  if (auto* combo = qobject_cast<QComboBox*>(widget_)) combo->hidePopup();
  widget_->hide();
  widget_->deleteLater();
}

void QtEditor::Place(const Rect& rect) {
  if (!widget_) return;
  if (rect.empty()) {
    widget_->hide();
    return;
  }
  widget_->setGeometry(rect.left, rect.top, rect.width(), rect.height());
  widget_->show();
  widget_->raise();
  if (kind_ == EditorKind::kSelect && !list_shown_) {
    list_shown_ = true;
    static_cast<QComboBox*>(widget_.data())->showPopup();
  }
}

void QtEditor::Focus() {
  if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

bool QtEditor::HasFocus() const { return widget_ && widget_->hasFocus(); }

std::string QtEditor::Text() const {
  if (auto* line = qobject_cast<QLineEdit*>(widget_)) return line->text().toStdString();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_)) {
    return plain->toPlainText().toStdString();
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget_)) return combo->currentText().toStdString();
  if (auto* date = qobject_cast<QDateEdit*>(widget_)) {
    return date->date().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
  }
  return {};
}

int QtEditor::SelectedIndex() const {
  auto* combo = qobject_cast<QComboBox*>(widget_);
  return combo != nullptr ? combo->currentIndex() : -1;
}

bool QtEditor::Date(int* year, int* month, int* day) const {
  auto* edit = qobject_cast<QDateEdit*>(widget_);
  if (edit == nullptr || !edit->date().isValid()) return false;
  edit->date().getDate(year, month, day);
  return true;
}

void QtEditor::Type(const std::string& text) {
  const QString typed = QString::fromStdString(text);
  if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
    line->insert(typed);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_)) {
    plain->insertPlainText(typed);
  } else if (qobject_cast<QDateEdit*>(widget_) != nullptr) {
    SendKeyText(widget_, typed);
  }
}

void QtEditor::Compose(const std::string& preedit, const std::string& commit) {
  if (!widget_) return;
  const QString shown = QString::fromStdString(preedit);
  QList<QInputMethodEvent::Attribute> attributes{
      {QInputMethodEvent::Cursor, static_cast<int>(shown.size()), 1, QVariant()}};
  QInputMethodEvent event(shown, attributes);
  event.setCommitString(QString::fromStdString(commit));
  QCoreApplication::sendEvent(widget_, &event);
}

void QtEditor::StepDateField() {
  if (auto* date = qobject_cast<DateEditor*>(widget_)) date->StepSection();
}

void* QtEditor::Handle() { return widget_.data(); }

}  // namespace maltrove::platform
