// Excel workbooks through the members: export, import back, and the dialogs
// that choose by extension.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }

var files = WScript.Arguments[1];
var style = '<gridStyle><column id="name" name="이름"/><column id="n" name="a.b" dataType="numeric"/>' +
            '<column id="day" name="Day" dataType="dateTime" outputType="%Y-%m-%d"/></gridStyle>';
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.setGridStyleXML(style);
var rows = [["O'Brien", "1234.5", "2007-04-15"], ["한글", "", "2026-12-07"], ["", "-3", ""]];
for (var r = 0; r < rows.length; r++) {
  grid.insertRow(-1);
  for (var c = 0; c < 3; c++) grid.setCellStringData(r, c, rows[r][c]);
}

WScript.Answer(files + "book.xls");
WScript.Answer("no");  // do not open the saved file
check(grid.saveXLSDialog("book.xls", 0, 0, 0) === 1, "saved");
check(grid.getFileSize(files + "book.xls") > 4096, "a workbook was written");

var back = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
back.setGridStyleXML(style);
WScript.Answer(files + "book.xls");
WScript.Answer("sheet=Sheet1;header=1");
check(back.openXLSDialog(1, 0, 0, 0, 0) === 1, "imported");
check(back.getRowCount() === 3, "three rows: " + back.getRowCount());
check(back.getCellStringData(0, 0) === "O'Brien" && back.getCellStringData(0, 1) === "1234.5" &&
      back.getCellStringData(1, 0) === "한글" && back.getCellStringData(1, 1) === "" &&
      back.getCellStringData(2, 1) === "-3", "values back");

// saveDialog and openDialog choose by extension.
WScript.Answer(files + "again.csv");
WScript.Answer("delim=,;header=1");
check(grid.saveDialog("again.csv", ",", 1, 0, 0, 0, 0) === 1, "saveDialog to .csv");
WScript.Answer(files + "again.xls");
WScript.Answer("yes");
check(grid.saveDialog("again.xls", ",", 1, 0, 0, 0, 0) === 1, "saveDialog to .xls");
var third = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
third.setGridStyleXML(style);
WScript.Answer(files + "again.csv");
WScript.Answer("delim=,;header=1");
check(third.openDialog(",", 1, 0, 0, 0, 0, 0) === 1 && third.getRowCount() === 3, "openDialog .csv");
WScript.Answer(files + "again.xls");
WScript.Answer("header=1");
check(third.openDialog(",", 1, 0, 0, 0, 0, 0) === 1 && third.getRowCount() === 3, "openDialog .xls");
WScript.Answer(files + "grid.xml");
check(third.openDialog(",", 1, 0, 0, 0, 0, 0) === 0 && third.getRowCount() === 3, "openDialog .xml does nothing");

WScript.Quit(failures === 0 ? 0 : 1);
