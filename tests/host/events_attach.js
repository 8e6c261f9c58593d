var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.insertColumn(0, "A", 100, "a", 1, 1, "", "", 0, "");
grid.insertColumn(1, "B", 100, "b", 1, 1, "", "", 0, "");
grid.insertRow(0);
grid.insertRow(1);
var calls = 0;
function focused(nRow, nCol) {
  ++calls;
  WScript.Echo("attached " + nRow + " " + nCol);
}
if (!grid.attachEvent("onCellFocused", focused)) throw new Error("attach refused");
grid.setFocusCell(1, 1);
if (!grid.detachEvent("onCellFocused", focused)) throw new Error("detach refused");
grid.setFocusCell(0, 0);
WScript.Echo("calls " + calls);
