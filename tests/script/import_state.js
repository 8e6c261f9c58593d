// After a separated-value or Excel import the grid is in its reset state:
// no focus, every row in use (a filter view dropped), nothing modified.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }
var files = WScript.Arguments[1];
var style = '<gridStyle><column id="name" name="이름"/><column id="n" name="n" dataType="numeric"/></gridStyle>';

var source = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
source.setGridStyleXML(style);
for (var r = 0; r < 4; r++) {
  source.insertRow(-1);
  source.setCellStringData(r, 0, "행" + r);
  source.setCellStringData(r, 1, String(r));
}
WScript.Answer(files + "rows.csv");
WScript.Answer("delim=,;header=1;quotes=0");
check(source.saveDSVDialog("rows.csv", ",", 1, 0, 0, 0, 0) === 1, "csv saved");
WScript.Answer(files + "rows.xls");
WScript.Answer("no");
check(source.saveXLSDialog("rows.xls", 0, 0, 0) === 1, "xls saved");

function prepared() {
  var g = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
  g.setGridStyleXML(style);
  for (var r = 0; r < 3; r++) { g.insertRow(-1); g.setCellStringData(r, 1, String(10 + r)); }
  g.setFocusCell(1, 1);
  g.applyFilter(1, 0, "11", 0, -1, 0, "", 0, -1, 0, "");
  return g;
}
function checkReset(g, what, rows) {
  check(g.getFocusedRowIndex() === -1 && g.getFocusedColIndex() === -1, what + ": focus dropped");
  check(g.getRowCount() === rows, what + ": every row in use: " + g.getRowCount());
  check(g.isModified() === 0, what + ": nothing modified");
}

var csv = prepared();
check(csv.getRowCount() === 1, "filtered before the import");
WScript.Answer(files + "rows.csv");
WScript.Answer("delim=,;header=1");
check(csv.openDSVDialog(",", 1, 1, 0, 0, 0, 0) === 1, "csv imported");
checkReset(csv, "separated values", 7);

var xls = prepared();
WScript.Answer(files + "rows.xls");
WScript.Answer("sheet=Sheet1;header=1");
check(xls.openXLSDialog(1, 1, 0, 0, 0) === 1, "xls imported");
checkReset(xls, "Excel", 7);

// A cancelled import changes nothing.
var kept = prepared();
WScript.Answer("cancel");
check(kept.openDSVDialog(",", 1, 1, 0, 0, 0, 0) === 0, "cancelled");
check(kept.getFocusedRowIndex() === 1 && kept.getRowCount() === 1, "a cancelled import keeps the state");

if (failures) WScript.Quit(1);
WScript.Echo("import_state: all checks passed");
