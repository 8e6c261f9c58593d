// Status flags, check states, selection, focus and the onCellFocused event.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }

var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1", { parserVersion: "40" });
grid.insertColumn(-1, "Text", 100, "text", 1, 1, "", "", 0, "");
grid.insertColumn(-1, "Pick", 60, "pick", 1, 4, "", "", 0, "");
grid.insertColumn(-1, "Check", 60, "check", 1, 5, "", "", 0, "");
for (var i = 0; i < 3; i++) grid.insertRow(-1);
check(grid.parserVersion === 40, "persisted parserVersion");

check(grid.isModified() === 3, "inserted rows alone: 3");
grid.setCellStringData(0, 0, "x");
check(grid.isCellEdited(0, 0) === 0, "inserted rows never report edited cells");
grid.clearStatus(1);
check(grid.isModified() === 0, "all clear");
grid.setCellStringData(1, 0, "y");
check(grid.isCellEdited(1, 0) === 1 && grid.isRowEdited(1) === 1, "edit marked");
check(grid.isGridEditedRow() === 1 && grid.isModified() === 2, "grid edited");
grid.insertRow(-1);
check(grid.isModified() === 1, "edited and inserted");
grid.clearStatus(2);
check(grid.isRowInserted(3) === 1 && grid.isCellEdited(1, 0) === 0, "clearStatus 2");
grid.clearStatus(4);
check(grid.isGridInsertedRow() === 1, "clearStatus 4 does nothing");
grid.clearStatus(3);
check(grid.isModified() === 0, "clearStatus 3");

grid.setCellChecked(0, 1, 1);
grid.setCellChecked(2, 1, 1);
check(grid.getCellChecked(0, 1) === 0 && grid.getCellChecked(2, 1) === 1, "one radio on");
check(grid.getCellChecked(0, 0) === 0, "text column is never checked");
grid.setCheckAll(2, 2);
check(grid.getCellChecked(3, 2) === 1, "check all");
grid.setCheckAll(2, 2);
check(grid.getCellChecked(0, 2) === 0, "toggle back");

grid.readOnly = 1;
check(grid.isCellReadOnly(0, 0) === 0, "a column made with bReadOnly 0 overrides the grid");
grid.setColumnReadOnly(0, -1);
check(grid.isCellReadOnly(0, 0) === 1, "grid read-only");
grid.setRowReadOnly(0, 0);
check(grid.isCellReadOnly(0, 0) === 0 && grid.isCellReadOnly(1, 0) === 1, "row overrides");
check(grid.getRowReadOnly(1) === 0, "unset row reads 0");

check(grid.isSelected(-1, -1) === 0, "nothing selected");
grid.addSelection(2, -1);
check(grid.isSelected(2, 2) === 1, "whole row selected");
grid.clearSelection();
check(grid.isSelected(2, 2) === 0, "cleared");

var focused = [];
function grid_onCellFocused(row, col) { focused.push(row + "," + col); }
WScript.ConnectObject(grid, "grid_");
var attached = 0;
grid.attachEvent("onCellFocused", function () { attached++; });
grid.setFocusCell(1, 2);
check(grid.getFocusedRowIndex() === 1 && grid.getFocusedColIndex() === 2, "focus moved");
grid.setFocusCell(1, 2);
grid.setFocusCell(-1, -1);
check(grid.getFocusedRowIndex() === 0 && grid.getFocusedColIndex() === 0, "clamped focus");
check(focused.join(" ") === "1,2 -1,-1", "events: " + focused.join(" "));
check(attached === 2, "attached handler called twice");

grid.setColumnVisible(2, 0);
check(grid.getFocusedRowIndex() === -1, "hiding a column drops the focus");

WScript.Quit(failures === 0 ? 0 : 1);
