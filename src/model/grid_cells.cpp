// Cell values, check states, hidden cells, status flags and the selection.
#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "model/cell_value.h"
#include "model/grid_model.h"
#include "model/text_util.h"

namespace maltrove {

namespace {

// The check state of a cell as an int, whatever double it holds.
int32_t CheckedValue(const CGridCell& cell) {
  if (cell.isNull || !std::isfinite(cell.number)) return 0;
  const double t = std::trunc(cell.number);
  if (t >= 2147483647.0) return 2147483647;
  if (t <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int32_t>(t);
}

}  // namespace

void CGridModel::markEdited(CGridRow& r, CGridCell& c) {
  if (r.inserted) return;  // an inserted row reports itself through isRowInserted
  c.edited = true;
  gridEdited_ = true;
}

// The column's split select lists, split again when they changed.
const SelectListIndex& CGridModel::selectIndex(int col) {
  SelectListIndex& index = selectIndexes_[col];
  if (!index.Follows(*columns_[col])) index.Rebuild(*columns_[col]);
  return index;
}

std::string CGridModel::getCellStringData(int32_t r, int32_t col) const {
  const CGridCell* c = cell(r, col);
  return c ? OutputText(*columns_[col], *c) : std::string();
}

std::string CGridModel::displayText(int r, int col) const {
  const CGridCell* c = cell(r, col);
  return c ? DisplayText(*columns_[col], *c, cellCombo(r, col)) : std::string();
}

std::string CGridModel::storageText(int r, int col) const {
  const CGridCell* c = cell(r, col);
  return c ? StorageText(*columns_[col], *c) : std::string();
}

int32_t CGridModel::setCellStringData(int32_t r, int32_t col, const std::string& data) {
  if (r < 0 || r >= rowsInUse() || col < 0 || col >= getColumnCount()) return 0;
  // The row and the cell from one id: the fill of a table passes here per cell.
  const uint32_t id = rowIds()[r];
  CGridCell* c = &cells_[col][id];
  const CGridColumn& column = *columns_[col];
  const CellCombo* own = nullptr;
  const SelectListIndex* index = nullptr;
  if (column.inputType == kInputSelect) {
    own = combos_[col].empty() ? nullptr : cellCombo(r, col);  // few columns have any
    if (!HasOwnSelectLists(own)) index = &selectIndex(col);
  }
  if (TakesInputInPlace(column)) {
    // The common column: the text is stored straight from the argument.
    const std::optional<std::string_view> text = PrepareInputInPlace(column, data);
    if (!text) return 0;
    SetCellValue(column, *c, *text, own, index);
  } else {
    const std::optional<std::string> text = PrepareInput(column, data);
    if (!text) return 0;
    SetCellValue(column, *c, *text, own, index);
  }
  // Most stored texts are short ASCII: valid without the walk.
  if (column.dataType == kDataString && !c->text.isInlineAscii() && !IsValidUtf8(c->text)) {
    SetCellValue(column, *c, NormalizeUtf8(c->text), own, index);
  }
  const bool checkable = column.isCheckable();
  if (!checkable && column.dataType != kDataDateTime && c->text.empty()) c->isNull = true;
  markEdited(rows_[id], *c);
  repaintCell(r, col);
  return 1;
}

int32_t CGridModel::getCellChecked(int32_t r, int32_t col) const {
  const CGridCell* c = cell(r, col);
  if (c == nullptr || !columns_[col]->isCheckable()) return 0;
  return CheckedValue(*c);
}

void CGridModel::setCellChecked(int32_t r, int32_t col, int32_t value) {
  CGridCell* c = cell(r, col);
  if (c == nullptr) return;
  CGridColumn& column = *columns_[col];
  if (!column.isCheckable()) return;
  if (column.inputType == kInputRadio) {
    const uint32_t id = row(r)->id;
    if (column.checkedRadioId >= 0 && column.checkedRadioId != id) switchRadioOff(col);
    column.checkedRadioId = id;
  }
  c->number = value;
  c->numberReadsBack = false;
  c->isNull = false;
  markEdited(*row(r), *c);
  repaintCell(r, col);
}

// The column's switched-on radio cell goes off, wherever its row now is; a
// cell already off is left unmarked.
void CGridModel::switchRadioOff(int col) {
  CGridColumn& column = *columns_[col];
  const auto id = static_cast<uint32_t>(column.checkedRadioId);
  column.checkedRadioId = -1;
  CGridCell& previous = cells_[col][id];
  const bool wasOn = !previous.isNull && previous.number != 0;
  previous.number = 0;
  previous.numberReadsBack = false;
  previous.isNull = false;
  if (!wasOn) return;
  markEdited(rows_[id], previous);
  const int index = indexOfId(id);
  if (index >= 0) repaintCell(index, col);
}

void CGridModel::setCheckAll(int32_t col, int32_t option) {
  const CGridColumn* column = this->column(col);
  if (column == nullptr || column->inputType != kInputCheckBox) return;
  const int count = getRowCount();
  bool check = option != 0;
  if (option == 2) {
    bool allChecked = true;
    for (int r = 0; r < count && allChecked; ++r) allChecked = getCellChecked(r, col) != 0;
    check = !allChecked;
  }
  const int drawMode = style_.immediateDrawMode;
  style_.immediateDrawMode = 0;
  for (int r = 0; r < count; ++r) setCellChecked(r, col, check ? 1 : 0);
  style_.immediateDrawMode = drawMode;
  repaintAll();
}

void CGridModel::setCellVisible(int32_t r, int32_t col, int32_t visible) {
  if (cell(r, col) == nullptr) return;
  const auto key = std::make_pair<const CGridRow*, const CGridColumn*>(row(r), column(col));
  auto found = std::find(hiddenCells_.begin(), hiddenCells_.end(), key);
  if (visible == 0 && found == hiddenCells_.end()) hiddenCells_.push_back(key);
  if (visible == 1 && found != hiddenCells_.end()) hiddenCells_.erase(found);
  repaintAll();
}

bool CGridModel::isCellHidden(int r, int col) const {
  if (cell(r, col) == nullptr) return false;
  const auto key = std::make_pair<const CGridRow*, const CGridColumn*>(row(r), column(col));
  return std::find(hiddenCells_.begin(), hiddenCells_.end(), key) != hiddenCells_.end();
}

void CGridModel::modifyCombo(int32_t r, int32_t col, const std::string& datas,
                             const std::string& values) {
  CGridCell* c = cell(r, col);
  if (c == nullptr) return;
  CellCombo& own = combos_[col][row(r)->id];
  own.comboDatas = datas;
  own.comboValues = values;
}

std::string CGridModel::getCellComboData(int32_t r, int32_t col) const {
  const CGridCell* c = cell(r, col);
  if (c == nullptr || columns_[col]->inputType != kInputSelect) return {};
  return DisplayText(*columns_[col], *c, cellCombo(r, col));
}

void CGridModel::setCellComboData(int32_t r, int32_t col, const std::string& label) {
  const CGridColumn* column = this->column(col);
  if (cell(r, col) == nullptr || column->inputType != kInputSelect) return;
  std::vector<std::string_view> labels = SplitList(column->comboDatas);
  std::vector<std::string_view> values = SplitList(column->comboValues);
  for (size_t i = 0; i < labels.size() && i < values.size(); ++i) {
    if (labels[i] == label) {
      setCellStringData(r, col, std::string(values[i]));
      return;
    }
  }
}

int32_t CGridModel::isCellReadOnly(int32_t r, int32_t col) const {
  const CGridRow* found = row(r);
  const CGridColumn* c = column(col);
  if (found == nullptr || c == nullptr) return 0;
  if (c->readOnly != -1) return c->readOnly;
  if (found->readOnly != -1) return found->readOnly;
  if (style_.readOnly != -1) return style_.readOnly;
  return 0;
}

// ---- status -----------------------------------------------------------------

int32_t CGridModel::isRowInserted(int32_t r) const {
  const CGridRow* found = row(r);
  return found != nullptr && found->inserted ? 1 : 0;
}

int32_t CGridModel::isCellEdited(int32_t r, int32_t col) const {
  const CGridCell* c = cell(r, col);
  return c != nullptr && c->edited ? 1 : 0;
}

int32_t CGridModel::isRowEdited(int32_t r) const {
  const CGridRow* found = row(r);
  if (found == nullptr) return 0;
  for (const CellColumn& cells : cells_) {
    if (cells[found->id].edited) return 1;
  }
  return 0;
}

int32_t CGridModel::isModified() const {
  if (gridEdited_ && gridInserted_) return 1;
  if (gridEdited_) return 2;
  if (gridInserted_) return 3;
  return 0;
}

void CGridModel::clearStatus(int32_t mode) {
  if (mode < 1 || mode > 3) return;
  const bool clearInserted = mode != 2;
  const bool clearEdited = mode != 3;
  for (uint32_t id : rowIds()) {
    if (clearInserted) rows_[id].inserted = false;
  }
  if (clearEdited) {
    for (CellColumn& cells : cells_) {
      for (uint32_t id : rowIds()) cells[id].edited = false;
    }
  }
  if (clearEdited) gridEdited_ = false;
  if (clearInserted) gridInserted_ = false;
  repaintAll();
}

// ---- selection --------------------------------------------------------------

bool CGridModel::validSelectionIndex(int r, int col) const {
  return r >= -1 && r < getRowCount() && col >= -1 && col < getColumnCount();
}

void CGridModel::addSelection(int32_t r, int32_t col) {
  if (!validSelectionIndex(r, col)) return;
  const auto entry = std::make_pair(r, col);
  for (const auto& e : selection_) {
    if (e == entry || e == std::make_pair(-1, -1)) return;
  }
  selection_.push_back(entry);
  if (r == -1 || col == -1) {
    repaintAll();
  } else {
    repaintRow(r);
    repaintColumn(col);
  }
}

void CGridModel::removeSelection(int32_t r, int32_t col) {
  auto found = std::find(selection_.begin(), selection_.end(), std::make_pair(r, col));
  if (found == selection_.end()) return;
  selection_.erase(found);
  if (r == -1 || col == -1) {
    repaintAll();
  } else {
    repaintRow(r);
    repaintColumn(col);
  }
}

void CGridModel::clearSelection() {
  selection_.clear();
  repaintAll();
}

void CGridModel::truncateSelection(size_t count) {
  if (count >= selection_.size()) return;
  selection_.resize(count);
  repaintAll();
}

void CGridModel::addSelectionRectangle(int32_t top, int32_t left, int32_t bottom,
                                       int32_t right) {
  if (!validSelectionIndex(top, left) || !validSelectionIndex(bottom, right)) return;
  if (std::find(selection_.begin(), selection_.end(), std::make_pair(-1, -1)) != selection_.end()) {
    return;
  }
  // One pass over the kept entries, not one per added cell.
  std::unordered_set<int64_t> listed;
  for (const auto& [r, c] : selection_) listed.insert(static_cast<int64_t>(r) << 32 | (c & 0xFFFFFFFF));
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (listed.insert(static_cast<int64_t>(r) << 32 | (c & 0xFFFFFFFF)).second) {
        selection_.emplace_back(r, c);
      }
    }
  }
  repaintAll();
}

int32_t CGridModel::isSelected(int32_t r, int32_t col) const {
  if (!validSelectionIndex(r, col)) return 0;
  for (const auto& [er, ec] : selection_) {
    if (er == r && ec == col) return 1;
    if (ec == -1 && (er == r || er == -1)) return 1;
    if (er == -1 && ec == col) return 1;
  }
  return 0;
}

}  // namespace maltrove
