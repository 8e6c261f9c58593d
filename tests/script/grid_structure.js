// Columns and rows through member names, as page script drives them.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }

var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
check(grid.getVersion() === "1,0,0,78", "version");

check(grid.insertColumn(-1, "Name", 100, "name", 1, 1, "", "", 0, "") === 0, "first column");
check(grid.InsertColumn(-1, "", 80, "data1", 2, 1, "", "", 0, "") === 1, "case-insensitive name");
check(grid.insertColumn(-1, "", 80, "", 3, 1, "", "", 0, "") === 2, "generated field name");
check(grid.getColumnFieldName(2) === "data2", "data2 generated");
check(grid.getColumnLabel(2) === "data2", "label defaults to the field name");
check(grid.insertColumn(-1, "Again", 80, "name", 1, 1, "", "", 0, "") === -1, "duplicate refused");
check(grid.getColumnCount() === 3, "three columns");
check(grid.getColumnIndex("data1") === 1, "index by field name");
check(grid.getColumnIndex("DATA1") === -1, "field names are case-sensitive");

// Numbers given for strings and numeric strings for longs are coerced.
check(grid.insertColumn("0", 42, "60", 7, "1", 1, "", "", 0, "") === 0, "coerced arguments");
check(grid.getColumnLabel(0) === "42", "number became text");
grid.removeColumn(0);

check(grid.insertRow(0) === 0, "row at front");
check(grid.insertRow(-1) === 1, "row appended");
check(grid.insertRow(99) === 2, "beyond the end appends");
check(grid.insertRow(1) === 1, "row in the middle");
check(grid.getRowCount() === 4, "four rows");
grid.removeRow(10);
check(grid.getRowCount() === 4, "bad index changes nothing");
grid.removeRow(0);
check(grid.getRowCount() === 3, "row removed");

grid.setColumnFieldNameLabel(1, "amount");
check(grid.getColumnFieldName(1) === "amount", "older name of setColumnFieldName");
grid.setColumnWidth(0, 150);
check(grid.getColumnWidth(0) === 150, "width");
grid.setColumnVisible(0, 0);
check(grid.getColumnVisible(0) === 0 && grid.getColumnWidth(0) === 150, "hidden keeps width");
grid.setColumnVisible(0, 1);
check(grid.getColumnVisible(0) === 1, "shown again");
grid.setRowHeight(1, 40);
check(grid.getRowHeight(1) === 40, "row height");
check(grid.getRowHeight(-1) === 20 && grid.getColumnWidth(-1) === 60, "header sizes");
grid.rowHeaderWidth = 75;
check(grid.getColumnWidth(-1) === 75, "rowHeaderWidth is column -1");

grid.removeAllRows();
check(grid.getRowCount() === 0 && grid.getColumnCount() === 3, "rows gone, columns stay");
grid.removeAllColumns();
check(grid.getColumnCount() === 0, "columns gone");

var byClsid = new ActiveXObject("clsid:DDC012F8-A786-4584-856D-044BC1F49414");
check(byClsid.getRowCount() === 0, "created by CLSID");
var gateway = new ActiveXObject("KORVALE.MaltroveDBGatewaCtrl.1");
check(gateway.getVersion() === "1,0,0,78", "gateway version");

WScript.Quit(failures === 0 ? 0 : 1);
