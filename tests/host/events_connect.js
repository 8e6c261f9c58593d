var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.insertColumn(0, "A", 100, "a", 1, 1, "", "", 0, "");
grid.insertColumn(1, "B", 100, "b", 1, 1, "", "", 0, "");
grid.insertRow(0);
grid.insertRow(1);
function grid_onCellFocused(nRow, nCol) {
  WScript.Echo("focused " + nRow + " " + nCol);
}
WScript.ConnectObject(grid, "grid_");
grid.setFocusCell(1, 1);
WScript.Echo("done");
