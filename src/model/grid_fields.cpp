// Column and row fields: the getters and setters of the automation members.
#include <algorithm>

#include "model/cell_value.h"
#include "model/grid_model.h"

namespace maltrove {

namespace {
int32_t UnsetAsZero(int value) { return value == -1 ? 0 : value; }
}  // namespace

std::string CGridModel::getColumnLabel(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->label : std::string();
}

void CGridModel::setColumnLabel(int32_t col, const std::string& label) {
  if (CGridColumn* c = column(col)) {
    c->label = label;
    repaintColumn(col);
  }
}

int32_t CGridModel::getColumnWidth(int32_t col) const {
  if (col == -1) return style_.rowHeaderWidth;
  const CGridColumn* c = column(col);
  return c ? c->declaredWidth : 0;
}

void CGridModel::setColumnWidth(int32_t col, int32_t width) {
  width = std::clamp(width, -kGap, kMaxWidth);
  if (col == -1) {
    const int delta = width - style_.rowHeaderWidth;
    style_.rowHeaderWidth = width;
    if (style_.rowHeaderVisible) moveColumns(0, delta);
  } else {
    CGridColumn* c = column(col);
    if (c == nullptr || c->width == width) return;
    const int delta = width - c->width;
    c->width = c->declaredWidth = width;
    moveColumns(col + 1, delta);
  }
  recomputeScrollBars();
  repaintAll();
}

std::string CGridModel::getColumnFieldName(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->fieldName : std::string();
}

void CGridModel::setColumnFieldName(int32_t col, const std::string& name) {
  if (CGridColumn* c = column(col)) c->fieldName = name;
}

int32_t CGridModel::getColumnFieldType(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->dataType : 0;
}

int32_t CGridModel::getColumnInputType(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->inputType : 0;
}

void CGridModel::setColumnFieldTypeInputType(int32_t col, int32_t dataType, int32_t inputType) {
  if (CGridColumn* c = column(col)) {
    c->dataType = dataType;
    c->inputType = inputType;
    repaintColumn(col);
  }
}

std::string CGridModel::getColumnDisplayType(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->displayType : std::string();
}

void CGridModel::setColumnDisplayType(int32_t col, const std::string& pattern) {
  if (CGridColumn* c = column(col)) {
    c->displayType = pattern;
    repaintColumn(col);
  }
}

std::string CGridModel::getColumnOutputType(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->outputType : std::string();
}

void CGridModel::setColumnOutputType(int32_t col, const std::string& pattern) {
  if (CGridColumn* c = column(col)) c->outputType = pattern;
}

int32_t CGridModel::getColumnReadOnly(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? UnsetAsZero(c->readOnly) : 0;
}

void CGridModel::setColumnReadOnly(int32_t col, int32_t readOnly) {
  if (CGridColumn* c = column(col)) {
    c->readOnly = readOnly;
    repaintColumn(col);
  }
}

std::string CGridModel::getColumnComboDatas(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->comboDatas : std::string();
}

std::string CGridModel::getColumnComboValues(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->comboValues : std::string();
}

void CGridModel::setColumnCombo(int32_t col, const std::string& datas,
                                const std::string& values) {
  if (CGridColumn* c = column(col)) {
    c->comboDatas = datas;
    c->comboValues = values;
    repaintColumn(col);
  }
}

std::string CGridModel::getColumnDefault(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->defaultValue : std::string();
}

void CGridModel::setColumnDefault(int32_t col, const std::string& value) {
  CGridColumn* c = column(col);
  if (c != nullptr && IsValidDefault(c->dataType, value)) c->defaultValue = value;
}

int32_t CGridModel::getColumnVisible(int32_t col) const {
  const CGridColumn* c = column(col);
  return c != nullptr && c->isVisible() ? 1 : 0;
}

void CGridModel::setColumnVisible(int32_t col, int32_t visible) {
  CGridColumn* c = column(col);
  if (c == nullptr) return;
  if (visible != 0) {
    setColumnWidth(col, c->declaredWidth);
    return;
  }
  // Hiding a hidden column must not replace the width it will get back.
  const int restore = c->isVisible() ? c->width : c->declaredWidth;
  setColumnWidth(col, -kGap);
  c->declaredWidth = restore;
  focusedRow_ = focusedCol_ = -1;
}

int32_t CGridModel::getColumnInputLimit(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->inputLimit : 0;
}

void CGridModel::setColumnInputLimit(int32_t col, int32_t limit) {
  if (CGridColumn* c = column(col)) c->inputLimit = limit;
}

std::string CGridModel::getColumnAllowChar(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->allowChar : std::string();
}

void CGridModel::setColumnAllowChar(int32_t col, const std::string& chars) {
  if (CGridColumn* c = column(col)) c->allowChar = chars;
}

void CGridModel::setColumnIgnoreChar(int32_t col, const std::string& chars) {
  if (CGridColumn* c = column(col)) c->ignoreChar = chars;
}

int32_t CGridModel::getColumnEnableResize(int32_t col) const {
  if (col == -1) {
    if (!style_.rowHeaderVisible) return 0;
  } else {
    const CGridColumn* c = column(col);
    if (c == nullptr) return 0;
    if (c->enableResize != -1) return c->enableResize;
  }
  if (style_.enableColumnResize != -1) return style_.enableColumnResize;
  return UnsetAsZero(style_.enableRowColumnResize);
}

void CGridModel::setColumnEnableResize(int32_t col, int32_t enable) {
  if (CGridColumn* c = column(col)) c->enableResize = enable;
}

int32_t CGridModel::getColumnDisplayToolTip(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->displayToolTip : 0;
}

void CGridModel::setColumnDisplayToolTip(int32_t col, int32_t mode) {
  if (CGridColumn* c = column(col)) c->displayToolTip = mode;
}

int32_t CGridModel::getColumnDefaultChecked(int32_t col) const {
  const CGridColumn* c = column(col);
  return c ? c->defaultChecked : 0;
}

void CGridModel::setColumnDefaultChecked(int32_t col, int32_t checked) {
  if (CGridColumn* c = column(col)) c->defaultChecked = checked;
}

int32_t CGridModel::enableRowResize() const {
  if (style_.enableRowResize != -1) return style_.enableRowResize;
  return UnsetAsZero(style_.enableRowColumnResize);
}

int32_t CGridModel::enableColumnResize() const {
  if (style_.enableColumnResize != -1) return style_.enableColumnResize;
  return UnsetAsZero(style_.enableRowColumnResize);
}

int32_t CGridModel::getRowHeight(int32_t r) const {
  if (r == -1) return style_.columnHeaderHeight;
  const CGridRow* found = row(r);
  return found ? found->height : 0;
}

void CGridModel::setCellHeightDefault(int32_t value) {
  style_.cellHeightDefault = std::clamp(value, -kGap, kMaxHeight);
}

void CGridModel::setRowHeight(int32_t r, int32_t height) {
  height = std::clamp(height, -kGap, kMaxHeight);
  if (r == -1) {
    const int delta = height - style_.columnHeaderHeight;
    style_.columnHeaderHeight = height;
    if (style_.columnHeaderVisible) moveRows(0, delta);
  } else {
    CGridRow* found = row(r);
    if (found == nullptr) return;
    const int delta = height - found->height;
    found->height = height;
    moveRows(r + 1, delta);
  }
  recomputeScrollBars();
  repaintAll();
}

int32_t CGridModel::getRowReadOnly(int32_t r) const {
  const CGridRow* found = row(r);
  return found ? UnsetAsZero(found->readOnly) : 0;
}

void CGridModel::setRowReadOnly(int32_t r, int32_t readOnly) {
  if (CGridRow* found = row(r)) {
    found->readOnly = readOnly;
    repaintRow(r);
  }
}

}  // namespace maltrove
