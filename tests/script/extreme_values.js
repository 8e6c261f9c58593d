// Values at the ends of a 32-bit integer, from script and from grid style
// XML: widths and heights are clamped, a sort key outside the columns
// orders nothing. Under the sanitizers any overflow ends the run.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }

var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.setGridStyleXML('<gridStyle cellHeightDefault="2147483647" rowHeaderWidth="-2147483648">' +
                     '<column id="a" width="11111111111"/><column id="b" width="2000000000"/>' +
                     '<column id="c" width="2000000000"/></gridStyle>');
check(grid.getColumnCount() === 3, "three columns");
check(grid.getColumnWidth(0) === 100000, "width clamped: " + grid.getColumnWidth(0));
check(grid.getColumnWidth(2) === 100000, "second huge width clamped");
check(grid.getColumnWidth(-1) === -3, "row header width clamped: " + grid.getColumnWidth(-1));
check(grid.cellHeightDefault === 10000, "default height clamped: " + grid.cellHeightDefault);
check(grid.insertRow(-1) === 0, "a row under the huge default height");
check(grid.getRowHeight(0) === 10000, "row height clamped");
check(grid.getGridStyleXML().indexOf('cellHeightDefault="10000"') >= 0, "written clamped");

grid.setColumnWidth(1, 2147483647);
check(grid.getColumnWidth(1) === 100000, "script width clamped");
grid.setColumnWidth(1, -2147483648);
check(grid.getColumnWidth(1) === -3, "negative width clamped");
grid.setRowHeight(0, -2147483648);
check(grid.getRowHeight(0) === -3, "negative height clamped");
grid.setRowHeight(0, 2147483647);
check(grid.getRowHeight(0) === 10000, "script height clamped");
grid.cellHeightDefault = 20;
for (var i = 0; i < 3; i++) grid.insertRow(-1);
grid.setCellStringData(1, 0, "b");
grid.setCellStringData(2, 0, "a");
grid.setCellStringData(3, 0, "c");
grid.sort(-2147483648, 0, -1, 0, -1, 0);
check(grid.getCellStringData(1, 0) === "b", "a key below the columns orders nothing");
grid.sort(2147483647, 1, -1, 0, -1, 0);
check(grid.getCellStringData(2, 0) === "a", "a key beyond the columns orders nothing");
grid.sort(1, 0, -1, 0, -1, 0);
check(grid.getCellStringData(0, 0) === "" && grid.getCellStringData(1, 0) === "a", "first column sorts");

WScript.Quit(failures === 0 ? 0 : 1);
