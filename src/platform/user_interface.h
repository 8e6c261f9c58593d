// The user-interface services the controls need: message boxes, file
// dialogs, modal dialogs and the progress dialog. A windowed host shows real
// dialogs; the headless host answers them from a queue.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog_form.h"
#include "platform/progress_dialog.h"

namespace maltrove::platform {

enum class MessageBoxButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MessageBoxAnswer { kOk, kCancel, kYes, kNo };

struct FileDialogRequest {
  bool save = false;
  std::string caption;
  std::string initialName;
  std::string filter;  // "Excel (*.xls)|*.xls|Text (*.csv;*.txt)|*.csv;*.txt"
  // Added to a typed name without one ("csv"); empty for none.
  std::string defaultExtension;
};

struct MenuItem {
  int command = 0;  // 0 for a separator
  std::string text;
  bool enabled = true;
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual MessageBoxAnswer ShowMessage(const std::string& caption, const std::string& text,
                                       MessageBoxButtons buttons) = 0;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
  // A dialog of the controls' own (sort, filter, find, import options): the
  // answer is a dialog-specific text, or "cancel".
  virtual std::string RunDialog(const std::string& caption, const std::string& description) = 0;
  virtual std::unique_ptr<ProgressDialog> CreateProgressDialog() = 0;
  // Shows a dialog of the controls' own as a window, modal, until one of its
  // buttons closes it. False when this interface shows no windows: the
  // dialog then takes its answer from RunDialog.
  virtual bool RunForm(DialogForm& form) {
    (void)form;
    return false;
  }
  // Shows a form beside its window and returns at once; the window keeps
  // the form until a button closes it. False when this interface shows no
  // windows.
  virtual bool ShowModelessForm(std::shared_ptr<DialogForm> form) {
    (void)form;
    return false;
  }
  // A context menu at a screen point: the command chosen, or 0.
  virtual int PopupMenu(const std::vector<MenuItem>& items, int screenX, int screenY) = 0;
};

}  // namespace maltrove::platform
