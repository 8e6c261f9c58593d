// FormDialog: a DialogForm shown as a Qt dialog. Widgets are built once from
// the form's controls; every change a person makes goes to the form, and the
// widgets are then brought back in line with the form's state.
#pragma once

#include <QDialog>
#include <map>
#include <memory>

#include "platform/dialog_form.h"

class QLayout;

namespace maltrove::platform {

class FormDialog : public QDialog {
  Q_OBJECT

 public:
  FormDialog(DialogForm& form, QWidget* parent);

  // The widget of control `id` (for tests), or nullptr.
  QWidget* ControlWidget(int id) const;
  // A modeless dialog keeps its form alive until it closes.
  void Keep(std::shared_ptr<DialogForm> form) { kept_ = std::move(form); }

 protected:
  void reject() override;

 private:
  void Build();
  QWidget* MakeWidget(const FormControl& control, QWidget* parent);
  QLayout* LineLayout(int parent, int line);
  void Connect(const FormControl& control, QWidget* widget);
  void Press(int id);
  void Refresh();

  DialogForm& form_;
  std::shared_ptr<DialogForm> kept_;
  std::map<int, QWidget*> widgets_;
  std::map<int, QLayout*> containers_;                  // group id -> its layout
  std::map<std::pair<int, int>, QLayout*> lines_;       // (group, line) -> row
  int cancelId_ = -1;
  bool refreshing_ = false;
};

}  // namespace maltrove::platform
