// CGridModel: the table of the grid (columns, rows, cells) with its status,
// selection, hidden cells and layout positions. Every index-based operation
// works on the rows in use: all rows, or the filtered rows while a filter is
// active. Operations named like the grid's automation members behave as
// those members do; a bad index does nothing and answers 0, "" or -1.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/grid_column.h"
#include "model/grid_row.h"
#include "model/grid_style.h"
#include "model/grid_view.h"
#include "model/select_lists.h"

namespace maltrove {

class CGridModel {
 public:
  static constexpr int kMaxColumns = 257;
  static constexpr int kMaxRows = 65536;
  static constexpr int kGap = 3;  // pixels after every row and column
  static constexpr int kInitialContentRight = 64;
  static constexpr int kInitialContentBottom = 25;
  // Widths and heights are clamped to -kGap (hidden) .. these, so that the
  // extents of 257 columns and 65,536 rows stay far inside an int.
  static constexpr int kMaxWidth = 100000;   // a column, the row header
  static constexpr int kMaxHeight = 10000;   // a row, the column header

  CGridModel();
  CGridModel(const CGridModel&) = delete;
  CGridModel& operator=(const CGridModel&) = delete;
  ~CGridModel();

  void setView(GridView* view) { view_ = view; }
  GridStyle& style() { return style_; }
  const GridStyle& style() const { return style_; }

  // Direct access for the other subsystems; nullptr for a bad index.
  CGridColumn* column(int col);
  const CGridColumn* column(int col) const;
  CGridRow* row(int row);
  const CGridRow* row(int row) const;
  CGridCell* cell(int row, int col);
  const CGridCell* cell(int row, int col) const;
  // The cells of a column, indexed by row id (CGridRow::id); nullptr for a
  // bad index. Valid until a column is inserted or removed.
  const CellColumn* columnCells(int col) const;
  // The cell's own select lists (modifyCombo), or nullptr.
  const CellCombo* cellCombo(int row, int col) const;
  // The ids of the rows in use, in their order.
  const std::vector<uint32_t>& rowIds() const { return filtered_ ? filteredIds_ : order_; }

  // Structure.
  int32_t insertColumn(int32_t nPos, const std::string& sLabel, int32_t nWidth,
                       const std::string& sFieldName, int32_t nFieldType, int32_t nInputType,
                       const std::string& sOutputType, const std::string& sDisplayType,
                       int32_t bReadOnly, const std::string& sDefault);
  void removeColumn(int32_t col);
  void removeAllColumns();
  int32_t insertRow(int32_t nPos);
  void removeRow(int32_t row);
  void removeAllRows();
  int32_t getColumnCount() const { return static_cast<int32_t>(columns_.size()); }
  int32_t getRowCount() const;
  int32_t getColumnIndex(const std::string& sName) const;

  // Column fields.
  std::string getColumnLabel(int32_t col) const;
  void setColumnLabel(int32_t col, const std::string& label);
  int32_t getColumnWidth(int32_t col) const;
  void setColumnWidth(int32_t col, int32_t width);
  std::string getColumnFieldName(int32_t col) const;
  void setColumnFieldName(int32_t col, const std::string& name);
  int32_t getColumnFieldType(int32_t col) const;
  int32_t getColumnInputType(int32_t col) const;
  void setColumnFieldTypeInputType(int32_t col, int32_t dataType, int32_t inputType);
  std::string getColumnDisplayType(int32_t col) const;
  void setColumnDisplayType(int32_t col, const std::string& pattern);
  std::string getColumnOutputType(int32_t col) const;
  void setColumnOutputType(int32_t col, const std::string& pattern);
  int32_t getColumnReadOnly(int32_t col) const;
  void setColumnReadOnly(int32_t col, int32_t readOnly);
  std::string getColumnComboDatas(int32_t col) const;
  std::string getColumnComboValues(int32_t col) const;
  void setColumnCombo(int32_t col, const std::string& datas, const std::string& values);
  std::string getColumnDefault(int32_t col) const;
  void setColumnDefault(int32_t col, const std::string& value);
  int32_t getColumnVisible(int32_t col) const;
  void setColumnVisible(int32_t col, int32_t visible);
  int32_t getColumnInputLimit(int32_t col) const;
  void setColumnInputLimit(int32_t col, int32_t limit);
  std::string getColumnAllowChar(int32_t col) const;
  void setColumnAllowChar(int32_t col, const std::string& chars);
  void setColumnIgnoreChar(int32_t col, const std::string& chars);
  int32_t getColumnEnableResize(int32_t col) const;
  void setColumnEnableResize(int32_t col, int32_t enable);
  int32_t getColumnDisplayToolTip(int32_t col) const;
  void setColumnDisplayToolTip(int32_t col, int32_t mode);
  int32_t getColumnDefaultChecked(int32_t col) const;
  void setColumnDefaultChecked(int32_t col, int32_t checked);

  // Row fields.
  int32_t getRowHeight(int32_t row) const;
  void setRowHeight(int32_t row, int32_t height);
  int32_t getRowReadOnly(int32_t row) const;
  void setRowReadOnly(int32_t row, int32_t readOnly);

  // Cells.
  std::string getCellStringData(int32_t row, int32_t col) const;
  int32_t setCellStringData(int32_t row, int32_t col, const std::string& data);
  int32_t getCellChecked(int32_t row, int32_t col) const;
  void setCellChecked(int32_t row, int32_t col, int32_t value);
  void setCheckAll(int32_t col, int32_t option);
  void setCellVisible(int32_t row, int32_t col, int32_t visible);
  bool isCellHidden(int row, int col) const;
  void modifyCombo(int32_t row, int32_t col, const std::string& datas, const std::string& values);
  std::string getCellComboData(int32_t row, int32_t col) const;
  void setCellComboData(int32_t row, int32_t col, const std::string& label);
  int32_t isCellReadOnly(int32_t row, int32_t col) const;
  std::string displayText(int row, int col) const;
  std::string storageText(int row, int col) const;

  // Status.
  int32_t isRowInserted(int32_t row) const;
  int32_t isCellEdited(int32_t row, int32_t col) const;
  int32_t isRowEdited(int32_t row) const;
  int32_t isGridInsertedRow() const { return gridInserted_ ? 1 : 0; }
  int32_t isGridEditedRow() const { return gridEdited_ ? 1 : 0; }
  int32_t isModified() const;
  void clearStatus(int32_t mode);

  // Selection list; -1 in an entry is a wildcard.
  void addSelection(int32_t row, int32_t col);
  void removeSelection(int32_t row, int32_t col);
  void clearSelection();
  // Keeps the first `count` entries.
  void truncateSelection(size_t count);
  // Adds every cell of the rectangle not yet listed, in row order.
  void addSelectionRectangle(int32_t top, int32_t left, int32_t bottom, int32_t right);
  int32_t isSelected(int32_t row, int32_t col) const;
  const std::vector<std::pair<int, int>>& selection() const { return selection_; }

  // Focus (moved by the window's focus rules).
  int focusedRow() const { return focusedRow_; }
  int focusedCol() const { return focusedCol_; }
  void setFocus(int row, int col);

  // Grid properties the model reads.
  int32_t readOnly() const { return style_.readOnly; }
  void setReadOnly(int32_t value) { style_.readOnly = value; }
  int32_t immediateDrawMode() const { return style_.immediateDrawMode; }
  void setImmediateDrawMode(int32_t value);
  int32_t fixedColumnCount() const { return style_.fixedColumnCount; }
  void setFixedColumnCount(int32_t value);
  int32_t cellHeightDefault() const { return style_.cellHeightDefault; }
  void setCellHeightDefault(int32_t value);
  int32_t columnHeaderHeight() const { return style_.columnHeaderHeight; }
  void setColumnHeaderHeight(int32_t value) { setRowHeight(-1, value); }
  int32_t rowHeaderWidth() const { return style_.rowHeaderWidth; }
  void setRowHeaderWidth(int32_t value) { setColumnWidth(-1, value); }
  int32_t columnHeaderVisible() const { return style_.columnHeaderVisible; }
  void setColumnHeaderVisible(int32_t value);
  int32_t rowHeaderVisible() const { return style_.rowHeaderVisible; }
  void setRowHeaderVisible(int32_t value);
  int32_t enableRowColumnResize() const { return style_.enableRowColumnResize; }
  void setEnableRowColumnResize(int32_t value) { style_.enableRowColumnResize = value; }
  int32_t enableRowResize() const;
  void setEnableRowResize(int32_t value) { style_.enableRowResize = value; }
  int32_t enableColumnResize() const;
  void setEnableColumnResize(int32_t value) { style_.enableColumnResize = value; }
  int32_t displayToolTipDefault() const { return style_.displayToolTipDefault; }
  void setDisplayToolTipDefault(int32_t value) { style_.displayToolTipDefault = value; }

  // Layout extents.
  int contentRight() const { return contentRight_; }
  int contentBottom() const { return contentBottom_; }
  int firstColumnLeft() const;
  int firstRowTop() const;

  // The model state part of the reset: no focus, all rows in use, status
  // cleared.
  void resetState();
  // Style fields back to their defaults (the drawing switch stays as it is)
  // and rows named "record" again.
  void resetStyle();

  // Filter view: the rows in use become `rows` (a subset of all rows, in
  // the order given), or all rows again.
  void showFilteredRows(std::vector<CGridRow*> rows);
  // The same with the rows given by their ids.
  void showFilteredIds(std::vector<uint32_t> ids);
  void showAllRows();
  bool isFiltered() const { return filtered_; }
  // Every row of the table, in table order, whatever the view.
  int allRowCount() const { return static_cast<int>(order_.size()); }
  CGridRow* allRow(int index) { return &rows_[order_[index]]; }
  // The ids of every row in table order, and the row of an id.
  const std::vector<uint32_t>& allRowIds() const { return order_; }
  CGridRow* rowById(uint32_t id) { return &rows_[id]; }
  // The rows in use, put in the given order (a permutation of them); their
  // positions are laid out again.
  void setRowOrder(const std::vector<CGridRow*>& rows);
  // The same with the rows given by their ids.
  void setRowIdOrder(std::vector<uint32_t> ids);

  // A style field changed: the layout and the picture follow.
  void styleChanged();

  // Settings of the XML formats: the element name of a data row, the
  // encoding name and the code page it was found under (0 = not found).
  std::string rowElementName = "record";
  std::string characterSet;
  int outputCodePage = 0;

 private:
  int rowsInUse() const { return static_cast<int>(rowIds().size()); }
  void markEdited(CGridRow& row, CGridCell& cell);
  const SelectListIndex& selectIndex(int col);
  CGridRow* newRow();
  void freeRow(uint32_t id);
  CGridCell newCell(const CGridColumn& column) const;
  int indexOfId(uint32_t id) const;
  void switchRadioOff(int col);
  void moveColumns(int from, int delta);
  void moveRows(int from, int delta);
  void layoutRows();
  void dropHiddenCells(const CGridRow* row, const CGridColumn* column);
  bool validSelectionIndex(int row, int col) const;

  void repaintAll() const;
  // Inline: every stored cell asks, and without a drawing view the answer
  // is no.
  void repaintCell(int row, int col) const {
    if (view_ != nullptr && style_.immediateDrawMode != 0) view_->RepaintCell(row, col);
  }
  void repaintRow(int row) const;
  void repaintColumn(int col) const;
  void recomputeScrollBars() const;

  GridStyle style_;
  GridView* view_ = nullptr;
  std::vector<std::unique_ptr<CGridColumn>> columns_;
  // Rows by id (an id free to reuse holds a default row) and every column's
  // cells, indexed by the same id; the table order and the filtered rows are
  // ids. A row keeps its address for life, as the hidden cells need.
  BlockArray<CGridRow> rows_;
  std::vector<uint32_t> freeIds_;
  std::vector<CellColumn> cells_;
  std::vector<std::unordered_map<uint32_t, CellCombo>> combos_;  // by column, by row id
  std::vector<SelectListIndex> selectIndexes_;                      // by column
  std::vector<uint32_t> order_;
  std::vector<uint32_t> filteredIds_;
  bool filtered_ = false;
  std::vector<std::pair<int, int>> selection_;
  std::vector<std::pair<const CGridRow*, const CGridColumn*>> hiddenCells_;
  bool gridEdited_ = false;
  bool gridInserted_ = false;
  int focusedRow_ = -1;
  int focusedCol_ = -1;
  int contentRight_ = kInitialContentRight;
  int contentBottom_ = kInitialContentBottom;
};

}  // namespace maltrove
