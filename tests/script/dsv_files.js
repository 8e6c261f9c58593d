// Separated-value export and import through the file and option dialogs.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }

var files = WScript.Arguments[1];
var style = '<gridStyle><column id="name" name="이름"/><column id="n" name="" dataType="numeric" displayType="#,###.##"/>' +
            '<column id="day" name="Day" dataType="dateTime" outputType="%Y-%m-%d"/>' +
            '<column id="city" name="City" inputType="select"><data text="서울" value="S"/><data text="부산" value="B"/></column>' +
            '<column id="ok" name="OK" inputType="checkBox"/><column id="hidden" name="Hidden" visible="false"/></gridStyle>';
function makeGrid() {
  var g = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
  g.setGridStyleXML(style);
  return g;
}
var grid = makeGrid();
var rows = [["김 \"철수\"", "1234.5", "2007-04-15", "부산", "1", "h1"], ["a,b", "-3", "", "S", "0", "h2"]];
for (var r = 0; r < rows.length; r++) {
  grid.insertRow(-1);
  for (var c = 0; c < rows[r].length; c++) grid.setCellStringData(r, c, rows[r][c]);
}

// Export with a header, output texts, hidden and check columns left out.
WScript.Answer(files + "out.csv");
WScript.Answer("delim=Tab;header=1;quotes=0");
check(grid.saveDSVDialog("out.csv", ",", 1, 0, 0, 0, 0) === 1, "exported");
var back = makeGrid();
WScript.Answer(files + "out.csv");
WScript.Answer("delim=Tab;header=1");
check(back.openDSVDialog(",", 1, 0, 0, 0, 0, 0) === 1, "imported");
check(back.getRowCount() === 2, "two rows: " + back.getRowCount());
check(back.getCellStringData(0, 0) === "김 \"철수\"" && back.getCellStringData(0, 1) === "1234.5" &&
      back.getCellStringData(0, 2) === "2007-04-15" && back.getCellStringData(0, 3) === "B",
      "round trip of every listed column");
check(back.getCellStringData(0, 5) === "", "hidden column left out");

// The delimiter inside a value gives one field more; quotes removed on request.
var pair = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
pair.setGridStyleXML('<gridStyle><column id="s1"/><column id="s2"/><column id="s3"/></gridStyle>');
pair.insertRow(-1);
pair.setCellStringData(0, 0, "x,y");
pair.setCellStringData(0, 1, 'say "hi"');
WScript.Answer(files + "comma");
WScript.Answer("delim=,;header=0;quotes=1");
check(pair.saveDSVDialog("comma", ",", 0, 0, 0, 1, 0) === 1, "comma export");
check(pair.getFileSize(files + "comma.csv") === 11, "default extension and no quotes: " +
      pair.getFileSize(files + "comma.csv"));
pair.removeAllRows();
WScript.Answer(files + "comma.csv");
WScript.Answer("delim=,;header=0");
check(pair.openDSVDialog(",", 0, 0, 0, 0, 0, 0) === 1, "comma import");
check(pair.getCellStringData(0, 0) === "x" && pair.getCellStringData(0, 1) === "y" &&
      pair.getCellStringData(0, 2) === "say hi", "one field more, quotes gone");

// 150 lines: the preview shows 100, the import takes 150.
var many = makeGrid();
for (var i = 0; i < 150; i++) { many.insertRow(-1); many.setCellStringData(i, 0, "row " + i); }
WScript.Answer(files + "many.csv");
WScript.Answer("delim=,;header=0");
many.saveDSVDialog("many.csv", ",", 0, 0, 0, 0, 0);
var target = makeGrid();
WScript.Answer(files + "many.csv");
WScript.Answer("delim=,");
check(target.openDSVDialog(",", 0, 1, 0, 0, 0, 0) === 1 && target.getRowCount() === 150, "150 rows imported");

// A refused value stops the import and removes what it appended.
WScript.Answer(files + "out.csv");
WScript.Answer("delim=Tab;header=1;map2=이름");  // names into the numeric column
check(target.openDSVDialog(",", 1, 1, 0, 0, 0, 0) === 0, "refused import returns 0");
check(target.getRowCount() === 150, "appended rows removed again");

// Cancelled dialogs and unreadable files.
WScript.Answer("cancel");
check(grid.saveDSVDialog("x.csv", ",", 0, 0, 0, 0, 0) === 0, "file dialog cancelled");
WScript.Answer(files + "x.csv");
WScript.Answer("cancel");
check(grid.saveDSVDialog("x.csv", ",", 0, 0, 0, 0, 0) === 0, "export dialog cancelled");
WScript.Answer(files + "missing.csv");
check(grid.openDSVDialog(",", 0, 0, 0, 0, 0, 0) === 0, "missing file");
WScript.Answer("/nonexistent-maltrove/x.csv");
WScript.Answer("delim=,");
check(grid.saveDSVDialog("x.csv", ",", 0, 0, 0, 0, 0) === 0, "file that cannot be created");

WScript.Quit(failures === 0 ? 0 : 1);
