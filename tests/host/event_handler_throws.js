var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.insertColumn(0, "A", 100, "a", 1, 1, "", "", 0, "");
grid.insertColumn(1, "B", 100, "b", 1, 1, "", "", 0, "");
grid.insertRow(0);
grid.insertRow(1);
grid.attachEvent("onCellFocused", function (nRow, nCol) {
  throw new Error("handler failed at " + nRow);
});
try {
  grid.setFocusCell(1, 1);
} catch (e) {
  WScript.Echo("caught by the caller");
}
WScript.Echo("after");
