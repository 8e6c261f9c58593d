#include "platform/qt/form_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace maltrove::platform {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The flat header of the preview lists: a light face with black lines and a
// bold 12-pixel Korean face, centred.
const char kFlatHeaderStyle[] =
    "QHeaderView::section { background: #ECE9D8; border: 0; border-right: 1px solid black;"
    " border-bottom: 1px solid black; padding: 2px; font: bold 12px \"돋움\"; }";

void FillTable(QTableWidget* table, const FormControl& control) {
  table->setColumnCount(static_cast<int>(control.columns.size()));
  QStringList titles;
  for (const std::string& title : control.columns) titles << Q(title);
  table->setHorizontalHeaderLabels(titles);
  for (size_t c = 0; c < control.widths.size(); ++c) {
    table->setColumnWidth(static_cast<int>(c), control.widths[c]);
  }
  table->setRowCount(static_cast<int>(control.rows.size()));
  for (size_t r = 0; r < control.rows.size(); ++r) {
    for (size_t c = 0; c < control.rows[r].size(); ++c) {
      table->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(Q(control.rows[r][c])));
    }
  }
}

}  // namespace

FormDialog::FormDialog(DialogForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setWindowTitle(Q(form_.FormCaption()));
  setModal(true);
  Build();
  Refresh();
}

QWidget* FormDialog::ControlWidget(int id) const {
  auto found = widgets_.find(id);
  return found == widgets_.end() ? nullptr : found->second;
}

void FormDialog::Build() {
  auto* root = new QVBoxLayout(this);
  containers_[0] = root;
  QLabel* waitingForBuddy = nullptr;  // a label whose "&" names the next control
  for (const FormControl& control : form_.FormControls()) {
    QLayout* line = LineLayout(control.parent, control.line);
    QWidget* owner = control.parent == 0 ? this : widgets_[control.parent];
    QWidget* widget = MakeWidget(control, owner);
    if (waitingForBuddy != nullptr) waitingForBuddy->setBuddy(widget);
    waitingForBuddy = nullptr;
    if (control.kind == FormKind::kLabel && control.text.find('&') != std::string::npos) {
      waitingForBuddy = qobject_cast<QLabel*>(widget);
    }
    widgets_[control.id] = widget;
    line->addWidget(widget);
    if (control.kind == FormKind::kGroup) containers_[control.id] = new QVBoxLayout(widget);
    if (control.isCancel) cancelId_ = control.id;
    Connect(control, widget);
  }
}

QLayout* FormDialog::LineLayout(int parent, int line) {
  auto found = lines_.find({parent, line});
  if (found != lines_.end()) return found->second;
  auto* row = new QHBoxLayout;
  static_cast<QBoxLayout*>(containers_.at(parent))->addLayout(row);
  lines_[{parent, line}] = row;
  return row;
}

QWidget* FormDialog::MakeWidget(const FormControl& control, QWidget* parent) {
  switch (control.kind) {
    case FormKind::kGroup: return new QGroupBox(Q(control.text), parent);
    case FormKind::kLabel: return new QLabel(Q(control.text), parent);
    case FormKind::kCombo: return new QComboBox(parent);
    case FormKind::kEdit: return new QLineEdit(parent);
    case FormKind::kCheck: return new QCheckBox(Q(control.text), parent);
    case FormKind::kRadio: return new QRadioButton(Q(control.text), parent);
    case FormKind::kButton: {
      auto* button = new QPushButton(Q(control.text), parent);
      button->setDefault(control.isDefault);
      button->setAutoDefault(control.isDefault);
      return button;
    }
    case FormKind::kTable: {
      auto* table = new QTableWidget(parent);
      table->setEditTriggers(QAbstractItemView::NoEditTriggers);
      table->horizontalHeader()->setStyleSheet(kFlatHeaderStyle);
      table->verticalHeader()->setVisible(false);
      // Rows as tight as a list control's, not Qt's roomy default.
      table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
      table->setMinimumSize(420, 160);
      return table;
    }
  }
  return new QWidget(parent);
}

void FormDialog::Connect(const FormControl& control, QWidget* widget) {
  const int id = control.id;
  auto changed = [this, id](int selection, const QString& text, bool checked) {
    if (refreshing_) return;
    form_.OnFormChange(id, selection, text.toStdString(), checked);
    Refresh();
  };
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    connect(combo, &QComboBox::currentIndexChanged, this,
            [changed, combo](int index) { changed(index, combo->currentText(), false); });
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    connect(edit, &QLineEdit::textEdited, this, [changed](const QString& text) { changed(-1, text, false); });
  } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
    connect(radio, &QRadioButton::toggled, this, [changed](bool on) {
      if (on) changed(-1, QString(), true);
    });
  } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    connect(check, &QCheckBox::toggled, this, [changed](bool on) { changed(-1, QString(), on); });
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    connect(button, &QPushButton::clicked, this, [this, id] { Press(id); });
  }
}

void FormDialog::Press(int id) {
  if (form_.OnFormButton(id)) {
    accept();
  } else {
    Refresh();
  }
}

// Escape is the cancel button's.
void FormDialog::reject() {
  if (cancelId_ < 0 || form_.OnFormButton(cancelId_)) QDialog::reject();
}

void FormDialog::Refresh() {
  refreshing_ = true;
  for (const FormControl& control : form_.FormControls()) {
    QWidget* widget = ControlWidget(control.id);
    if (widget == nullptr) continue;
    const QSignalBlocker block(widget);
    widget->setEnabled(control.enabled);
    widget->setVisible(control.visible);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      QStringList items;
      for (const std::string& item : control.items) items << Q(item);
      QStringList shown;
      for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
      if (shown != items) {
        combo->clear();
        combo->addItems(items);
      }
      combo->setCurrentIndex(control.selection);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      if (edit->text() != Q(control.text)) edit->setText(Q(control.text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      if (button->isCheckable()) button->setChecked(control.checked);
      button->setText(Q(control.text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(Q(control.text));
    } else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
      FillTable(table, control);
    }
  }
  refreshing_ = false;
}

}  // namespace maltrove::platform
