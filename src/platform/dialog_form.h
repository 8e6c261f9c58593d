// DialogForm: a dialog of the controls' own (sort, filter, find, import and
// export options, the query preview) described as a form of controls, so
// that a windowed host can show it and a person's clicks reach the same
// dialog code that a headless host's queued answers drive. The dialog keeps
// its state; the window shows FormControls() and reports every change.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace maltrove::platform {

enum class FormKind { kGroup, kLabel, kCombo, kEdit, kCheck, kRadio, kButton, kTable };

struct FormControl {
  int id = 0;
  FormKind kind = FormKind::kLabel;
  std::string text;  // caption, label, button text, or an edit's text
  int parent = 0;    // the group holding it, 0 for the dialog itself
  int line = 0;      // controls of one parent and line sit side by side
  std::vector<std::string> items;  // combo entries
  int selection = -1;              // combo selection, -1 none
  bool checked = false;            // check box, radio button
  bool enabled = true;
  bool visible = true;
  bool isDefault = false;  // Enter presses it
  bool isCancel = false;   // Escape presses it
  // Tables: column titles and their widths in pixels, and rows of cells.
  std::vector<std::string> columns;
  std::vector<int> widths;
  std::vector<std::vector<std::string>> rows;
};

// A control of `kind` on `line` of `parent`, the rest as FormControl's
// defaults.
inline FormControl MakeControl(int id, FormKind kind, std::string text, int line,
                               int parent = 0) {
  FormControl control;
  control.id = id;
  control.kind = kind;
  control.text = std::move(text);
  control.line = line;
  control.parent = parent;
  return control;
}

inline FormControl MakeCheck(int id, std::string text, int line, bool checked) {
  FormControl control = MakeControl(id, FormKind::kCheck, std::move(text), line);
  control.checked = checked;
  return control;
}

class DialogForm {
 public:
  virtual ~DialogForm() = default;
  virtual std::string FormCaption() const = 0;
  // The controls as they are now, in the order they are laid out.
  virtual std::vector<FormControl> FormControls() const = 0;
  // A person changed a control: a combo's selection, an edit's text, a
  // check box or a radio button (checked).
  virtual void OnFormChange(int id, int selection, const std::string& text, bool checked) = 0;
  // A button was pressed; true closes the dialog.
  virtual bool OnFormButton(int id) = 0;
};

}  // namespace maltrove::platform
