// The zipped transport over and over with rows of its own. two_processes.sh
// runs two of these at once for one user, with one temporary folder: each
// must always get back its own rows, never the other's.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }

var label = WScript.Arguments.length > 2 ? WScript.Arguments[2] : "solo";
var rounds = WScript.Arguments.length > 3 ? Number(WScript.Arguments[3]) : 20;
var rowCount = 10 + label.length * 7 + (label.charCodeAt(0) % 5) * 3;  // differs by label

var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.setGridStyleXML('<gridStyle><column id="name"/><column id="n" dataType="numeric"/></gridStyle>');
for (var r = 0; r < rowCount; r++) {
  grid.insertRow(-1);
  grid.setCellStringData(r, 0, label + " " + r);
  grid.setCellStringData(r, 1, String(r));
}
var zipped = grid.getAllXMLZipBase64();
check(zipped.length > 0, "packed");

for (var i = 0; i < rounds && failures === 0; i++) {
  grid.removeAllRows();
  check(grid.setAllXMLZipBase64(zipped) === 1, "round " + i + ": loaded");
  check(grid.getRowCount() === rowCount, "round " + i + ": " + grid.getRowCount() + " rows, not " + rowCount);
  check(grid.getCellStringData(rowCount - 1, 0) === label + " " + (rowCount - 1),
        "round " + i + ": last row holds " + grid.getCellStringData(rowCount - 1, 0));
  check(grid.getAllXMLZipBase64().length > 0, "round " + i + ": packed again");
}
WScript.Quit(failures === 0 ? 0 : 1);
