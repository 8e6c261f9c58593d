// A text that is not a number is refused, not read as 0.
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
try {
  grid.insertRow("x");
  throw new Error("insertRow accepted x");
} catch (e) {
  if (e.number != 0x80020005) throw e;
}
WScript.Echo("type mismatch caught");
