// Structure of the table: access by index, inserting and removing rows and
// columns, and the layout positions that every change keeps up to date.
#include <algorithm>

#include "model/cell_value.h"
#include "model/grid_model.h"
#include "model/text_util.h"

namespace maltrove {

namespace {

// The index at which an insert at nPos lands: 0 at the front, the end for -1
// or any position beyond it.
int InsertIndex(int nPos, int count) {
  if (nPos < 0 || nPos > count) return count;
  return nPos;
}

// "data1".."data256": the first not used as a field name, or "".
std::string GenerateFieldName(const std::vector<std::unique_ptr<CGridColumn>>& columns) {
  for (int n = 1; n <= 256; ++n) {
    std::string name = "data" + std::to_string(n);
    bool used = std::any_of(columns.begin(), columns.end(),
                            [&](const auto& c) { return c->fieldName == name; });
    if (!used) return name;
  }
  return {};
}

// Automatic cell alignment: centred buttons and dates, numbers to the right.
int AutomaticAlign(int dataType, int inputType) {
  if (inputType == kInputButton) return kAlignCenter;
  if (dataType == kDataNumeric) return kAlignRight;
  if (dataType == kDataDateTime) return kAlignCenter;
  return kAlignLeft;
}

}  // namespace

CGridModel::CGridModel() = default;
CGridModel::~CGridModel() = default;

// ---- access ---------------------------------------------------------------

int32_t CGridModel::getRowCount() const { return rowsInUse(); }

CGridColumn* CGridModel::column(int col) {
  if (col < 0 || col >= static_cast<int>(columns_.size())) return nullptr;
  return columns_[col].get();
}

const CGridColumn* CGridModel::column(int col) const {
  return const_cast<CGridModel*>(this)->column(col);
}

CGridRow* CGridModel::row(int r) {
  if (r < 0 || r >= rowsInUse()) return nullptr;
  return &rows_[rowIds()[r]];
}

const CGridRow* CGridModel::row(int r) const { return const_cast<CGridModel*>(this)->row(r); }

CGridCell* CGridModel::cell(int r, int col) {
  // The id from the order alone: the row object is not read.
  if (r < 0 || r >= rowsInUse() || col < 0 || col >= static_cast<int>(cells_.size())) {
    return nullptr;
  }
  return &cells_[col][rowIds()[r]];
}

const CellCombo* CGridModel::cellCombo(int r, int col) const {
  if (r < 0 || r >= rowsInUse() || col < 0 || col >= static_cast<int>(combos_.size()) ||
      combos_[col].empty()) {
    return nullptr;
  }
  auto own = combos_[col].find(rowIds()[r]);
  return own == combos_[col].end() ? nullptr : &own->second;
}

const CellColumn* CGridModel::columnCells(int col) const {
  if (col < 0 || col >= static_cast<int>(cells_.size())) return nullptr;
  return &cells_[col];
}

int CGridModel::indexOfId(uint32_t id) const {
  const std::vector<uint32_t>& ids = rowIds();
  auto found = std::find(ids.begin(), ids.end(), id);
  return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

const CGridCell* CGridModel::cell(int r, int col) const {
  return const_cast<CGridModel*>(this)->cell(r, col);
}

int32_t CGridModel::getColumnIndex(const std::string& name) const {
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i]->fieldName == name) return static_cast<int32_t>(i);
  }
  return -1;
}

// ---- layout ---------------------------------------------------------------

int CGridModel::firstColumnLeft() const {
  return (style_.rowHeaderVisible ? style_.rowHeaderWidth : -kGap) + 5;
}

int CGridModel::firstRowTop() const {
  return (style_.columnHeaderVisible ? style_.columnHeaderHeight : -kGap) + 6;
}

void CGridModel::moveColumns(int from, int delta) {
  for (size_t i = static_cast<size_t>(std::max(from, 0)); i < columns_.size(); ++i) {
    columns_[i]->left += delta;
  }
  contentRight_ += delta;
}

void CGridModel::moveRows(int from, int delta) {
  for (int i = std::max(from, 0), n = rowsInUse(); i < n; ++i) row(i)->top += delta;
  contentBottom_ += delta;
}

void CGridModel::layoutRows() {
  int top = firstRowTop();
  for (int i = 0, n = rowsInUse(); i < n; ++i) {
    CGridRow* r = row(i);
    r->top = top;
    top += r->height + kGap;
  }
  contentBottom_ = top - kGap + 2;
  if (rowsInUse() == 0) contentBottom_ = kInitialContentBottom;
}

void CGridModel::setColumnHeaderVisible(int32_t value) {
  if ((value != 0) == (style_.columnHeaderVisible != 0)) {
    style_.columnHeaderVisible = value;
    return;
  }
  style_.columnHeaderVisible = value;
  const int shift = style_.columnHeaderHeight + kGap;
  moveRows(0, value != 0 ? shift : -shift);
  recomputeScrollBars();
  repaintAll();
}

void CGridModel::setRowHeaderVisible(int32_t value) {
  if ((value != 0) == (style_.rowHeaderVisible != 0)) {
    style_.rowHeaderVisible = value;
    return;
  }
  style_.rowHeaderVisible = value;
  const int shift = style_.rowHeaderWidth + kGap;
  moveColumns(0, value != 0 ? shift : -shift);
  recomputeScrollBars();
  repaintAll();
}

// ---- columns --------------------------------------------------------------

int32_t CGridModel::insertColumn(int32_t nPos, const std::string& sLabel, int32_t nWidth,
                                 const std::string& sFieldName, int32_t nFieldType,
                                 int32_t nInputType, const std::string& sOutputType,
                                 const std::string& sDisplayType, int32_t bReadOnly,
                                 const std::string& sDefault) {
  if (getColumnCount() >= kMaxColumns) return -1;
  std::string fieldName = sFieldName.empty() ? GenerateFieldName(columns_) : sFieldName;
  if (Trim(fieldName).empty() || getColumnIndex(fieldName) >= 0) return -1;

  auto column = std::make_unique<CGridColumn>();
  column->header = style_.columnHeaderDefault;
  column->cell = style_.cellDefault;
  column->button = style_.cellButtonDefault;
  column->displayToolTip = style_.displayToolTipDefault;
  column->label = sLabel.empty() ? fieldName : sLabel;
  column->width = column->declaredWidth = std::clamp(nWidth, -kGap, kMaxWidth);
  column->fieldName = std::move(fieldName);
  column->dataType = nFieldType;
  column->inputType = nInputType;
  column->outputType = sOutputType;
  column->displayType = sDisplayType;
  column->readOnly = bReadOnly;
  if (IsValidDefault(nFieldType, sDefault)) column->defaultValue = sDefault;
  if (column->cell.align == kAlignLeft) column->cell.align = kAlignNone;
  if (column->cell.align == kAlignNone) column->cell.align = AutomaticAlign(nFieldType, nInputType);

  const int index = InsertIndex(nPos, getColumnCount());
  if (index == 0) {
    column->left = firstColumnLeft();
  } else {
    const CGridColumn& before = *columns_[index - 1];
    column->left = before.left + before.width + kGap;
  }
  CellColumn added(rows_.size());
  if (column->inputType == kInputCheckBox || !column->defaultValue.empty()) {
    for (uint32_t id : order_) added[id] = newCell(*column);
  }
  cells_.insert(cells_.begin() + index, std::move(added));
  combos_.emplace(combos_.begin() + index);
  selectIndexes_.emplace(selectIndexes_.begin() + index);
  const int shift = column->width + kGap;
  columns_.insert(columns_.begin() + index, std::move(column));
  for (size_t i = static_cast<size_t>(index) + 1; i < columns_.size(); ++i) {
    columns_[i]->left += shift;
  }
  contentRight_ += shift;
  recomputeScrollBars();
  selection_.clear();
  repaintAll();
  return index;
}

void CGridModel::removeColumn(int32_t col) {
  CGridColumn* target = column(col);
  if (target == nullptr) return;
  dropHiddenCells(nullptr, target);
  cells_.erase(cells_.begin() + col);
  combos_.erase(combos_.begin() + col);
  selectIndexes_.erase(selectIndexes_.begin() + col);
  const int shift = target->width + kGap;
  columns_.erase(columns_.begin() + col);
  moveColumns(col, -shift);
  if (focusedCol_ >= getColumnCount()) focusedCol_ = getColumnCount() - 1;
  recomputeScrollBars();
  repaintAll();
}

void CGridModel::removeAllColumns() {
  cells_.clear();
  combos_.clear();
  selectIndexes_.clear();
  columns_.clear();
  hiddenCells_.clear();
  selection_.clear();
  contentRight_ = kInitialContentRight;
  recomputeScrollBars();
  repaintAll();
}

// ---- rows -----------------------------------------------------------------

CGridCell CGridModel::newCell(const CGridColumn& column) const {
  CGridCell cell;
  if (column.inputType == kInputCheckBox) {
    cell.number = column.defaultChecked;
    cell.isNull = column.defaultChecked == 0;
  }
  if (!column.defaultValue.empty()) SetCellValue(column, cell, column.defaultValue);
  return cell;
}

// A row under a free id (or a new one) with its cells at their defaults.
// Every cell is written once: a new id's cells are built with their
// values, and a free id's row and cells were reset by freeRow.
CGridRow* CGridModel::newRow() {
  const bool fresh = freeIds_.empty();
  uint32_t id;
  if (fresh) {
    id = rows_.size();
    rows_.push_back();
  } else {
    id = freeIds_.back();
    freeIds_.pop_back();
  }
  for (size_t c = 0; c < columns_.size(); ++c) {
    const CGridColumn& column = *columns_[c];
    const bool preset = column.inputType == kInputCheckBox || !column.defaultValue.empty();
    if (fresh && preset) {
      cells_[c].push_back(newCell(column));
    } else if (fresh) {
      cells_[c].push_back();
    } else if (preset) {
      cells_[c][id] = newCell(column);
    }
  }
  CGridRow* created = &rows_[id];
  created->id = id;
  created->inserted = true;
  created->height = style_.cellHeightDefault;
  return created;
}

// The id's row and cell values go; the id waits to be reused.
void CGridModel::freeRow(uint32_t id) {
  rows_[id] = CGridRow();
  for (CellColumn& cells : cells_) cells[id] = CGridCell();
  for (auto& combos : combos_) combos.erase(id);
  for (auto& column : columns_) {
    if (column->checkedRadioId == id) column->checkedRadioId = -1;
  }
  freeIds_.push_back(id);
}

int32_t CGridModel::insertRow(int32_t nPos) {
  if (order_.size() >= static_cast<size_t>(kMaxRows)) return -1;
  const int index = InsertIndex(nPos, rowsInUse());
  CGridRow* raw = newRow();
  if (index == 0) {
    raw->top = firstRowTop();
  } else {
    const CGridRow& before = *row(index - 1);
    raw->top = before.top + before.height + kGap;
  }
  if (filtered_) {
    filteredIds_.insert(filteredIds_.begin() + index, raw->id);
    order_.push_back(raw->id);
  } else {
    order_.insert(order_.begin() + index, raw->id);
  }
  gridInserted_ = true;
  moveRows(index + 1, raw->height + kGap);
  recomputeScrollBars();
  selection_.clear();
  repaintAll();
  return index;
}

void CGridModel::removeRow(int32_t r) {
  CGridRow* target = row(r);
  if (target == nullptr) return;
  dropHiddenCells(target, nullptr);
  const int shift = target->height + kGap;
  const uint32_t id = target->id;
  if (filtered_) {
    filteredIds_.erase(filteredIds_.begin() + r);
    order_.erase(std::find(order_.begin(), order_.end(), id));
  } else {
    order_.erase(order_.begin() + r);
  }
  freeRow(id);
  moveRows(r, -shift);
  if (focusedRow_ >= getRowCount()) focusedRow_ = getRowCount() - 1;
  recomputeScrollBars();
  repaintAll();
}

void CGridModel::removeAllRows() {
  rows_.clear();
  freeIds_.clear();
  for (CellColumn& cells : cells_) cells.clear();
  for (auto& combos : combos_) combos.clear();
  for (auto& column : columns_) column->checkedRadioId = -1;
  order_.clear();
  filteredIds_.clear();
  selection_.clear();
  hiddenCells_.clear();
  contentBottom_ = kInitialContentBottom;
  recomputeScrollBars();
  repaintAll();
}

// ---- filter view and reset --------------------------------------------------

void CGridModel::showFilteredRows(std::vector<CGridRow*> rows) {
  std::vector<uint32_t> ids;
  ids.reserve(rows.size());
  for (const CGridRow* r : rows) ids.push_back(r->id);
  showFilteredIds(std::move(ids));
}

void CGridModel::showFilteredIds(std::vector<uint32_t> ids) {
  filteredIds_ = std::move(ids);
  filtered_ = true;
  layoutRows();
}

void CGridModel::showAllRows() {
  filtered_ = false;
  filteredIds_.clear();
  layoutRows();
}

void CGridModel::setRowOrder(const std::vector<CGridRow*>& rows) {
  std::vector<uint32_t> ids;
  ids.reserve(rows.size());
  for (const CGridRow* r : rows) ids.push_back(r->id);
  setRowIdOrder(std::move(ids));
}

void CGridModel::setRowIdOrder(std::vector<uint32_t> ids) {
  if (static_cast<int>(ids.size()) != rowsInUse()) return;
  (filtered_ ? filteredIds_ : order_) = std::move(ids);
  layoutRows();
  recomputeScrollBars();
  repaintAll();
}

void CGridModel::resetState() {
  focusedRow_ = focusedCol_ = -1;
  if (filtered_) showAllRows();
  gridEdited_ = gridInserted_ = false;
}

void CGridModel::resetStyle() {
  const int drawMode = style_.immediateDrawMode;
  const int oldFirstColumn = firstColumnLeft();
  style_ = GridStyle();
  style_.immediateDrawMode = drawMode;
  rowElementName = "record";
  moveColumns(0, firstColumnLeft() - oldFirstColumn);
  layoutRows();
  recomputeScrollBars();
  repaintAll();
}

void CGridModel::setFocus(int r, int col) {
  focusedRow_ = r;
  focusedCol_ = col;
}

void CGridModel::dropHiddenCells(const CGridRow* r, const CGridColumn* col) {
  hiddenCells_.erase(std::remove_if(hiddenCells_.begin(), hiddenCells_.end(),
                                    [&](const auto& entry) {
                                      return entry.first == r || entry.second == col;
                                    }),
                     hiddenCells_.end());
}

// ---- repaint ----------------------------------------------------------------

void CGridModel::setImmediateDrawMode(int32_t value) {
  const bool switchedOn = value != 0 && style_.immediateDrawMode == 0;
  style_.immediateDrawMode = value;
  if (switchedOn) {
    recomputeScrollBars();
    repaintAll();
  }
}

void CGridModel::setFixedColumnCount(int32_t value) {
  style_.fixedColumnCount = value;
  recomputeScrollBars();
  repaintAll();
}

void CGridModel::styleChanged() {
  recomputeScrollBars();
  repaintAll();
}

void CGridModel::repaintAll() const {
  if (view_ != nullptr && style_.immediateDrawMode != 0) view_->RepaintAll();
}
void CGridModel::repaintRow(int r) const {
  if (view_ != nullptr && style_.immediateDrawMode != 0) view_->RepaintRow(r);
}
void CGridModel::repaintColumn(int col) const {
  if (view_ != nullptr && style_.immediateDrawMode != 0) view_->RepaintColumn(col);
}
void CGridModel::recomputeScrollBars() const {
  if (view_ != nullptr && style_.immediateDrawMode != 0) view_->RecomputeScrollBars();
}

}  // namespace maltrove
