// The error of a wrong argument count carries DISP_E_BADPARAMCOUNT.
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
function expectBadCount(call) {
  try {
    call();
  } catch (e) {
    if (e.number != 0x8002000E) throw new Error("number was " + e.number);
    return;
  }
  throw new Error("no error");
}
expectBadCount(function () { grid.insertRow(); });
expectBadCount(function () { grid.getRowCount(1); });
expectBadCount(function () { grid.insertColumn(0, "Name", 100); });
WScript.Echo("bad parameter count caught");
