#include "window/context_menu.h"

#include <algorithm>

namespace maltrove {

namespace {

using platform::MenuItem;

// The whole menu, in order; separators have command 0.
std::vector<MenuItem> FullMenu() {
  return {{kCmdCopy, "복사\tCtrl+C"},    {kCmdCut, "잘라내기\tCtrl+X"},
          {kCmdPaste, "붙여넣기\tCtrl+V"}, {kCmdInsert, "삽입"},
          {kCmdDelete, "삭제"},           {kCmdClear, "내용 지우기\tDel"},
          {0, ""},                        {kCmdFind, "찾기\tCtrl+F"},
          {kCmdSort, "정렬\tCtrl+S"},      {kCmdFilter, "필터링\tCtrl+T"},
          {kCmdCancelFilter, "필터링 보기 취소"}, {0, ""},
          {kCmdVersion, "버전정보"}};
}

void Remove(std::vector<MenuItem>* items, std::initializer_list<int> commands) {
  items->erase(std::remove_if(items->begin(), items->end(),
                              [&](const MenuItem& item) {
                                return std::find(commands.begin(), commands.end(),
                                                 item.command) != commands.end() &&
                                       item.command != 0;
                              }),
               items->end());
}

// Removes the separator that follows the item with `command`.
void RemoveSeparatorAfter(std::vector<MenuItem>* items, int command) {
  for (size_t i = 0; i + 1 < items->size(); ++i) {
    if ((*items)[i].command == command && (*items)[i + 1].command == 0) {
      items->erase(items->begin() + static_cast<long>(i) + 1);
      return;
    }
  }
}

void RemoveFirstSeparator(std::vector<MenuItem>* items) {
  for (size_t i = 0; i < items->size(); ++i) {
    if ((*items)[i].command == 0) {
      items->erase(items->begin() + static_cast<long>(i));
      return;
    }
  }
}

void Enable(std::vector<MenuItem>* items, const MenuContext& c) {
  for (MenuItem& item : *items) {
    switch (item.command) {
      case kCmdCopy:
      case kCmdCut:
      case kCmdClear:
        item.enabled = !c.selectionEmpty;
        break;
      case kCmdPaste:
        item.enabled = c.clipboardHasText && c.hasFocus;
        break;
      case kCmdCancelFilter:
        item.enabled = c.filtered;
        break;
      case kCmdInsert:
        item.enabled = c.onRowHeader && !c.filtered;
        break;
      case kCmdDelete:
        item.enabled = c.onRowHeader;
        break;
      default:
        break;
    }
  }
}

}  // namespace

std::vector<MenuItem> BuildContextMenu(const MenuContext& c) {
  if (c.level < 0) return {};
  std::vector<MenuItem> items = FullMenu();
  if (c.level == 0) {
    if (!c.onColumnHeader) return {};
    Remove(&items, {kCmdCopy, kCmdCut, kCmdPaste, kCmdClear, kCmdInsert, kCmdDelete});
    RemoveFirstSeparator(&items);
  } else if (!c.onColumnHeader) {
    RemoveSeparatorAfter(&items, kCmdCancelFilter);
    Remove(&items, {kCmdFind, kCmdSort, kCmdFilter, kCmdCancelFilter});
    if (!c.onRowHeader) Remove(&items, {kCmdInsert, kCmdDelete});
  } else {
    Remove(&items, {kCmdInsert, kCmdDelete});
  }
  Enable(&items, c);
  return items;
}

}  // namespace maltrove
