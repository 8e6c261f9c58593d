// The grid's context menu: its items and the rules that build and enable
// them for a right click.
#pragma once

#include <vector>

#include "platform/user_interface.h"

namespace maltrove {

enum MenuCommand {
  kCmdCopy = 32775,
  kCmdCut = 32776,
  kCmdPaste = 32777,
  kCmdClear = 32782,
  kCmdFind = 32789,
  kCmdSort = 32790,
  kCmdFilter = 32791,
  kCmdCancelFilter = 32797,
  kCmdInsert = 32798,
  kCmdDelete = 32799,
  kCmdVersion = 32800,
};

struct MenuContext {
  int level = 0;               // contextMenuLevel
  bool onColumnHeader = false;  // the click hit the header row
  bool onRowHeader = false;     // the click hit the header column (a row)
  bool selectionEmpty = true;
  bool clipboardHasText = false;
  bool hasFocus = false;  // a focused cell exists
  bool filtered = false;
};

// The menu for a click, or no items when there is none.
std::vector<platform::MenuItem> BuildContextMenu(const MenuContext& context);

}  // namespace maltrove
