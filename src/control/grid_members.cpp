// The dispatch table of the grid control: every automation member with its
// dispatch id, bound to the function that implements it.
#include "control/korvale_grid_ctrl.h"
#include "control/style_members.h"

namespace maltrove {

namespace {

using Table = automation::MemberTable<CKorvaleGridCtrl>;
using M = CGridModel;
using W = CGridWnd;
using C = CKorvaleGridCtrl;

void AddStructureMembers(Table& t) {
  t.Method(1, "getFocusedRowIndex", &W::getFocusedRowIndex);
  t.Method(2, "getFocusedColIndex", &W::getFocusedColIndex);
  t.Method(3, "setFocusCell", &W::setFocusCell);
  t.Method(4, "insertColumn", &M::insertColumn);
  t.Method(5, "removeColumn", &M::removeColumn);
  t.Method(6, "removeAllColumns", &M::removeAllColumns);
  t.Method(7, "insertRow", &M::insertRow);
  t.Method(8, "removeRow", &M::removeRow);
  t.Method(9, "removeAllRows", &M::removeAllRows);
  t.Method(14, "getColumnCount", &M::getColumnCount);
  t.Method(15, "getRowCount", &M::getRowCount);
  t.Method(236, "getColumnIndex", &M::getColumnIndex);
}

void AddColumnMembers(Table& t) {
  t.Method(17, "getColumnLabel", &M::getColumnLabel);
  t.Method(18, "setColumnLabel", &M::setColumnLabel);
  t.Method(19, "getColumnWidth", &M::getColumnWidth);
  t.Method(20, "setColumnWidth", &M::setColumnWidth);
  t.Method(21, "getColumnFieldName", &M::getColumnFieldName);
  t.Method(22, "setColumnFieldName", &M::setColumnFieldName);
  t.Alias("setColumnFieldNameLabel", 22);
  t.Method(23, "getColumnFieldType", &M::getColumnFieldType);
  t.Method(24, "getColumnInputType", &M::getColumnInputType);
  t.Method(25, "setColumnFieldTypeInputType", &M::setColumnFieldTypeInputType);
  t.Method(26, "getColumnDisplayType", &M::getColumnDisplayType);
  t.Method(27, "setColumnDisplayType", &M::setColumnDisplayType);
  t.Method(28, "getColumnReadOnly", &M::getColumnReadOnly);
  t.Method(29, "setColumnReadOnly", &M::setColumnReadOnly);
  t.Method(30, "getColumnComboDatas", &M::getColumnComboDatas);
  t.Method(31, "setColumnCombo", &M::setColumnCombo);
  t.Method(32, "getColumnComboValues", &M::getColumnComboValues);
  t.Method(34, "getColumnDefault", &M::getColumnDefault);
  t.Method(35, "setColumnDefault", &M::setColumnDefault);
  t.Method(60, "getColumnOutputType", &M::getColumnOutputType);
  t.Method(61, "setColumnOutputType", &M::setColumnOutputType);
  t.Method(63, "getColumnVisible", &M::getColumnVisible);
  t.Method(64, "setColumnVisible", &M::setColumnVisible);
  t.Method(66, "getColumnInputLimit", &M::getColumnInputLimit);
  t.Method(67, "setColumnInputLimit", &M::setColumnInputLimit);
  t.Method(68, "getColumnAllowChar", &M::getColumnAllowChar);
  t.Method(69, "setColumnAllowChar", &M::setColumnAllowChar);
  t.Method(207, "getColumnEnableResize", &M::getColumnEnableResize);
  t.Method(208, "setColumnEnableResize", &M::setColumnEnableResize);
  t.Method(220, "getColumnDisplayToolTip", &M::getColumnDisplayToolTip);
  t.Method(221, "setColumnDisplayToolTip", &M::setColumnDisplayToolTip);
  t.Method(230, "getColumnDefaultChecked", &M::getColumnDefaultChecked);
  t.Method(231, "setColumnDefaultChecked", &M::setColumnDefaultChecked);
  t.Method(242, "setColumnIgnoreChar", &M::setColumnIgnoreChar);
}

void AddRowAndCellMembers(Table& t) {
  t.Method(10, "getCellStringData", &M::getCellStringData);
  t.Method(11, "setCellStringData", &M::setCellStringData);
  t.Method(38, "getCellChecked", &M::getCellChecked);
  t.Method(39, "setCellChecked", &M::setCellChecked);
  t.Method(180, "getRowHeight", &M::getRowHeight);
  t.Method(181, "setRowHeight", &M::setRowHeight);
  t.Method(214, "getRowReadOnly", &M::getRowReadOnly);
  t.Method(215, "setRowReadOnly", &M::setRowReadOnly);
  t.Method(216, "isCellReadOnly", &M::isCellReadOnly);
  t.Method(218, "setCheckAll", &M::setCheckAll);
  t.Method(239, "getCellComboData", &M::getCellComboData);
  t.Method(240, "setCellComboData", &M::setCellComboData);
  t.Method(241, "setCellVisible", &M::setCellVisible);
  t.Method(248, "modifyCombo", &M::modifyCombo);
}

void AddStatusMembers(Table& t) {
  t.Method(47, "isGridEditedRow", &M::isGridEditedRow);
  t.Method(48, "isRowEdited", &M::isRowEdited);
  t.Method(49, "isCellEdited", &M::isCellEdited);
  t.Method(54, "clearStatus", &M::clearStatus);
  t.Method(57, "isRowInserted", &M::isRowInserted);
  t.Method(58, "isGridInsertedRow", &M::isGridInsertedRow);
  t.Method(59, "isModified", &M::isModified);
  t.Method(186, "clearSelection", &M::clearSelection);
  t.Method(187, "addSelection", &M::addSelection);
  t.Method(188, "removeSelection", &M::removeSelection);
  t.Method(189, "isSelected", &M::isSelected);
}

void AddXmlMembers(Table& t) {
  t.Method(36, "getGridStyleXML", &C::getGridStyleXML);
  t.Method(37, "getVectorXML", &C::getVectorXML);
  t.Method(40, "setGridStyleXML", &C::setGridStyleXML);
  t.Method(41, "insertRowXML", &C::insertRowXML);
  t.Method(51, "getRowXML", &C::getRowXML);
  t.Method(52, "getCheckedXML", &C::getCheckedXML);
  t.Method(53, "getAllXML", &C::getAllXML);
  t.Method(55, "getEditedXML", &C::getEditedXML);
  t.Method(56, "getInsertedXML", &C::getInsertedXML);
  t.Method(233, "getUncheckedXML", &C::getUncheckedXML);
  t.Method(249, "getAllData", &C::getAllData);
  t.Method(250, "getData", &C::getData);
  t.Method(252, "getCheckedData", &C::getCheckedData);
  t.Method(253, "getUnCheckedData", &C::getUnCheckedData);
}

void AddFileMembers(Table& t) {
  t.Method(16, "openXMLFile", &C::openXMLFile);
  t.Method(42, "openXMLFileEx", &C::openXMLFileEx);
  t.Method(43, "saveXMLFile", &C::saveXMLFile);
  t.Method(44, "saveXMLFileEx", &C::saveXMLFileEx);
  t.Method(45, "openXMLURL", &C::openXMLURL);
  t.Method(46, "openXMLURLEx", &C::openXMLURLEx);
  t.Method(65, "getAllXMLZipBase64", &C::getAllXMLZipBase64);
  t.Method(203, "setAllXMLZipBase64", &C::setAllXMLZipBase64);
  t.Method(209, "saveDSVDialog", &C::saveDSVDialog);
  t.Method(210, "openDSVDialog", &C::openDSVDialog);
  t.Method(12, "openXLSDialog", &C::openXLSDialog);
  t.Method(234, "openDialog", &C::openDialog);
  t.Method(13, "saveXLSDialog", &C::saveXLSDialog);
  t.Method(235, "saveDialog", &C::saveDialog);
  t.Method(256, "saveXLSDialogAutoOpen", &C::saveXLSDialogAutoOpen);
  t.Method(258, "saveXLSQueryAutoOpen", &C::saveXLSQueryAutoOpen);
}

void AddOperationMembers(Table& t) {
  t.Method(190, "copy", &C::copy);
  t.Method(191, "cut", &C::cut);
  t.Method(192, "paste", &C::paste);
  t.Method(193, "deleteSelectedData", &C::deleteSelectedData);
  t.Method(237, "applyFilter", &C::applyFilter);
  t.Method(238, "clearFilter", &C::clearFilter);
  t.Method(243, "calculate", &C::calculate);
  t.Method(244, "sort", &C::sort);
}

void AddControlMembers(Table& t) {
  t.Method(251, "getVersion", &C::getVersion);
  t.Method(254, "readRegVal", &C::readRegVal);
  t.Method(255, "writeRegVal", &C::writeRegVal);
  t.Method(257, "setGridName", &C::setGridName);
  t.Method(259, "deleteLog", &C::deleteLog);
  t.Method(260, "getFileSize", &C::getFileSize);
}

void AddProperties(Table& t) {
  t.Property(50, "parserVersion", &C::parserVersion, &C::setParserVersion);
  t.Property(62, "fixedColumnCount", &M::fixedColumnCount, &M::setFixedColumnCount);
  t.Property(86, "columnHeaderHeight", &M::columnHeaderHeight, &M::setColumnHeaderHeight);
  t.Property(87, "rowHeaderWidth", &M::rowHeaderWidth, &M::setRowHeaderWidth);
  t.Property(89, "cellHeightDefault", &M::cellHeightDefault, &M::setCellHeightDefault);
  t.Property(204, "enableRowColumnResize", &M::enableRowColumnResize,
             &M::setEnableRowColumnResize);
  t.Property(205, "enableRowResize", &M::enableRowResize, &M::setEnableRowResize);
  t.Property(206, "enableColumnResize", &M::enableColumnResize, &M::setEnableColumnResize);
  t.Property(211, "columnHeaderVisible", &M::columnHeaderVisible, &M::setColumnHeaderVisible);
  t.Property(212, "rowHeaderVisible", &M::rowHeaderVisible, &M::setRowHeaderVisible);
  t.Property(213, "readOnly", &M::readOnly, &M::setReadOnly);
  t.Property(217, "immediateDrawMode", &M::immediateDrawMode, &M::setImmediateDrawMode);
  t.Property(219, "displayToolTipDefault", &M::displayToolTipDefault,
             &M::setDisplayToolTipDefault);
}

Table BuildTable() {
  Table t;
  AddStructureMembers(t);
  AddColumnMembers(t);
  AddRowAndCellMembers(t);
  AddStatusMembers(t);
  AddXmlMembers(t);
  AddFileMembers(t);
  AddOperationMembers(t);
  AddControlMembers(t);
  AddProperties(t);
  AddStyleMembers(&t);
  return t;
}

}  // namespace

const automation::MemberTable<CKorvaleGridCtrl>& CKorvaleGridCtrl::Table() {
  static const automation::MemberTable<CKorvaleGridCtrl> table = BuildTable();
  return table;
}

}  // namespace maltrove
