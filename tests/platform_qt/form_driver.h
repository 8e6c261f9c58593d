// Drives a platform::FormDialog with real key and mouse events, and saves
// its picture when MALTROVE_DIALOG_PNG_DIR names a folder.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "platform/qt/form_dialog.h"
#include "platform/qt/qt_fonts.h"

namespace maltrove::platform::testing {

// Runs `act` on the form dialog once it is the shown modal window (progress
// dialogs shown before it are passed over). A form that `act` leaves open
// is closed, so that a failed check cannot hang the test.
inline void WhenFormShown(std::function<void(FormDialog*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* form = qobject_cast<FormDialog*>(QApplication::activeModalWidget());
    if (form == nullptr || !form->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(form);
    QTimer::singleShot(0, form, [form] { form->done(QDialog::Rejected); });
  });
  timer->start(10);
}

// Runs `act` on the next modal window that is not a form (a message box).
inline void WhenMessageShown(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || qobject_cast<FormDialog*>(modal)) return;
    timer->stop();
    timer->deleteLater();
    act(modal);
  });
  timer->start(10);
}

template <typename T>
T* Widget(const FormDialog* form, int id) {
  return qobject_cast<T*>(form->ControlWidget(id));
}

// Clicks a check box or radio button on its indicator, a push button in its middle.
inline void Click(QAbstractButton* button) {
  if (button->isCheckable()) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  } else {
    QTest::mouseClick(button, Qt::LeftButton);
  }
}

// Moves a combo box to the item with arrow keys; a box that does not follow
// them gets no more than one key per item.
inline void Choose(QComboBox* box, const QString& item) {
  const int target = box->findText(item);
  for (int keys = box->count(); target >= 0 && keys > 0; --keys) {
    if (box->currentIndex() == target) return;
    QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
  }
}

// Replaces an edit's text by typing.
inline void Type(QLineEdit* edit, const QString& text) {
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

inline void SavePicture(FormDialog* form, const std::string& name) {
  const QByteArray dir = qgetenv("MALTROVE_DIALOG_PNG_DIR");
  if (dir.isEmpty()) return;
  InstallFontSubstitutions();
  form->grab().save(QString::fromUtf8(dir) + "/" + QString::fromStdString(name) + ".png");
}

}  // namespace maltrove::platform::testing
