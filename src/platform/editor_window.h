// The in-place editors' seam: the grid's logic asks its window for an editor
// laid over a cell (a text box, a drop-down list or a date picker) and hears
// back through EditorListener. The logic decides what keys mean and which
// characters may be typed; the platform only edits.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/draw_surface.h"

namespace maltrove::platform {

enum class EditorKind { kText, kMultiLine, kSelect, kDate };

struct EditorRequest {
  EditorKind kind = EditorKind::kText;
  FontDescription font;
  int align = kTextLeft;  // kTextLeft, kTextCenter or kTextRight
  // Text editors: the text, all of it selected at the start.
  std::string text;
  // Select editors: the labels and the one selected (-1 none).
  std::vector<std::string> items;
  int selected = -1;
  // Date editors: the date shown ("yyyy-MM-dd"); without one, today.
  bool hasDate = false;
  int year = 0;
  int month = 0;
  int day = 0;
};

class EditorListener {
 public:
  virtual ~EditorListener() = default;
  // A character typed into a text editor, before it is inserted: `text` is
  // the editor's text now and `caret` the caret's byte offset in it. False
  // swallows the character. Backspace is never asked about.
  virtual bool AcceptEditorChar(const std::string& character, const std::string& text,
                                int caret) = 0;
  // Escape, Enter and Tab (key codes of VirtualKey) with the InputKeys bits;
  // the editor does nothing else with them, except that Enter in a
  // multi-line editor inserts a line break and is not reported.
  virtual void OnEditorKey(int key, int keys) = 0;
  virtual void OnEditorFocusLost() = 0;
  // The drop-down list or the calendar closed; `chosen` when an entry or a
  // date was picked.
  virtual void OnEditorListClosed(bool chosen) = 0;
  // Digits typed into the date picker changed its date.
  virtual void OnEditorDateEdited() = 0;
};

class EditorWindow {
 public:
  virtual ~EditorWindow() = default;
  // Places the editor in client coordinates; an empty rectangle hides it.
  virtual void Place(const Rect& rect) = 0;
  virtual void Focus() = 0;
  virtual bool HasFocus() const = 0;
  virtual std::string Text() const = 0;
  virtual int SelectedIndex() const = 0;
  // False when the picker holds no date.
  virtual bool Date(int* year, int* month, int* day) const = 0;
  // Types text at the caret, replacing the selection (the character that
  // opened the editor).
  virtual void Type(const std::string& text) = 0;
  // Forwards an input-method composition: the pre-edit text shown under the
  // caret and the text committed, either possibly empty.
  virtual void Compose(const std::string& preedit, const std::string& commit) = 0;
  // Moves the date picker on to its next field.
  virtual void StepDateField() = 0;
  // The platform's widget, for the keyboard-security module.
  virtual void* Handle() = 0;
};

// What the grid tells an assistive technology about itself.
class AccessibleTable {
 public:
  virtual ~AccessibleTable() = default;
  virtual int RowCount() const = 0;
  virtual int ColumnCount() const = 0;
  virtual std::string CellText(int row, int col) const = 0;
  virtual std::string ColumnHeaderText(int col) const = 0;
  virtual std::string RowHeaderText(int row) const = 0;
  virtual int FocusedRow() const = 0;  // -1 none
  virtual int FocusedColumn() const = 0;
  virtual bool IsCellSelected(int row, int col) const = 0;
  // -1 for a cell that cannot be checked, else 0 or 1.
  virtual int CellChecked(int row, int col) const = 0;
  virtual bool IsColumnVisible(int col) const = 0;
  // The cell's rectangle in client coordinates, empty when out of view.
  virtual Rect CellBounds(int row, int col) const = 0;
};

enum class AccessibleChange { kFocus, kSelection, kValue, kStructure };

}  // namespace maltrove::platform
