// The commands of the grid's menu and accelerators that other subsystems
// carry out (clipboard, find, sort, filter); the control implements them.
#pragma once

namespace maltrove {

class GridCommands {
 public:
  virtual ~GridCommands() = default;
  virtual void Copy() = 0;
  virtual void Cut() = 0;
  virtual void Paste() = 0;
  virtual void ClearContents() = 0;
  virtual void Find() = 0;
  virtual void Sort() = 0;
  virtual void Filter() = 0;
  // Whether the clipboard holds text (the paste item's enable rule).
  virtual bool ClipboardHasText() = 0;
};

}  // namespace maltrove
