// XML files: saved and opened back, the save selection, failures, and the
// zipped Base64 transport.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }


var out = "/nonexistent-maltrove-folder/";
// Arguments: the controls' temporary folder and a folder for files.
var temp = WScript.Arguments[0], files = WScript.Arguments[1];

function makeGrid() {
  var g = new ActiveXObject("KORVALE.MaltroveGridCtrl.1", { characterSet: "euc-kr" });
  g.setGridStyleXML('<gridStyle rowHeaderWidth="50"><column id="name" name="이름" headerStyle="color:#FF0000;"/>' +
                    '<column id="n" dataType="numeric" displayType="#,###"/>' +
                    '<column id="c" inputType="select"><data text="가" value="1"/><data text="나" value="2"/></column></gridStyle>');
  var values = [["하나", "1000", "1"], ["둘", "2", "2"], ["셋", "3", "가"]];
  for (var r = 0; r < values.length; r++) {
    g.insertRow(-1);
    for (var c = 0; c < 3; c++) g.setCellStringData(r, c, values[r][c]);
  }
  g.clearStatus(1);
  return g;
}

var grid = makeGrid();
check(grid.saveXMLFile(files + "style.xml", files + "vector.xml", 0) === 1, "pair saved");
check(grid.getFileSize(files + "vector.xml") > 0, "vector file written");
var copy = new ActiveXObject("KORVALE.MaltroveGridCtrl.1", { characterSet: "euc-kr" });
copy.insertColumn(-1, "old", 10, "old", 1, 1, "", "", 0, "");
check(copy.openXMLFile(files + "style.xml", files + "vector.xml") === 1, "pair opened");
check(copy.getGridStyleXML() === grid.getGridStyleXML(), "columns and styles kept");
check(copy.getAllXML() === grid.getAllXML(), "rows kept");
check(copy.getColumnHeaderTextColor(0) === "#FF0000" && copy.rowHeaderWidth === 50, "styles");

check(grid.saveXMLFileEx(files + "both.xml", 0) === 1, "combined saved");
var combined = new ActiveXObject("KORVALE.MaltroveGridCtrl.1", { characterSet: "euc-kr" });
check(combined.openXMLFileEx(files + "both.xml") === 1, "combined opened");
check(combined.getAllXML() === grid.getAllXML(), "combined rows kept");

// Save selection: 2 writes the edited rows only and counts them.
grid.setCellStringData(1, 0, "바뀜");
grid.insertRow(-1);
check(grid.saveXMLFile(files + "s.xml", files + "edited.xml", 2) === 1, "edited saved");
var edited = new ActiveXObject("KORVALE.MaltroveGridCtrl.1", { characterSet: "euc-kr" });
check(edited.openXMLFile(files + "s.xml", files + "edited.xml") === 1, "edited opened");
check(edited.getRowCount() === 1 && edited.getCellStringData(0, 0) === "바뀜", "only the edited row");
check(grid.saveXMLFile(files + "s.xml", files + "all.xml", 7) === 1, "flag 7 saved");
check(edited.openXMLFile(files + "s.xml", files + "all.xml") === 1 && edited.getRowCount() === 4,
      "flag 7 writes all rows");

// Failures.
check(grid.saveXMLFile(out + "s.xml", out + "v.xml", 0) === 0, "save into a missing folder");
check(edited.openXMLFile(files + "s.xml", files + "missing.xml") === 0, "missing vector file");
check(edited.getColumnCount() === 3 && edited.getRowCount() === 0, "style read, no rows");
check(edited.openXMLFileEx(files + "missing.xml") === 0 && edited.getColumnCount() === 0,
      "missing combined file clears the grid");

// Zipped Base64 round trip, with and without line breaks.
var zipped = grid.getAllXMLZipBase64();
check(zipped.length > 0, "zipped text");
check(zipped.indexOf("\r\n") === 76, "lines of 76 characters");
var fresh = makeGrid();
fresh.removeAllRows();
check(fresh.setAllXMLZipBase64(zipped) === 1, "zipped text loads");
check(fresh.getAllXML() === grid.getAllXML(), "same rows through the zip");
var flat = makeGrid();
flat.removeAllRows();
check(flat.setAllXMLZipBase64(zipped.replace(/\r\n/g, "")) === 1 && flat.getAllXML() === grid.getAllXML(),
      "without line breaks");
check(flat.setAllXMLZipBase64("bm90IGEgemlwIGFyY2hpdmU=") === 0, "not an archive");
check(flat.setAllXMLZipBase64("") === 0, "empty text");
var names = ["mvgstyle.xml", "mvgvector.xml", "mvgvector.zip"];
for (var i = 0; i < names.length; i++) {
  check(grid.getFileSize(temp + names[i]) === 0, "no temporary " + names[i]);
}

// The control's own members.
check(grid.getFileSize(files + "missing.xml") === 0, "size of a missing file");
check(grid.deleteLog() === 1, "no log to delete");
check(grid.readRegVal() === -1, "no registry key yet");
check(grid.writeRegVal(6) === 0 && grid.readRegVal() === 6, "registry value written and read");
check(grid.parserVersion === 30, "default parser version");
var v40 = new ActiveXObject("KORVALE.MaltroveGridCtrl.1", { parserVersion: "40" });
var v35 = new ActiveXObject("KORVALE.MaltroveGridCtrl.1", { parserVersion: "35" });
check(v40.parserVersion === 40 && v35.parserVersion === 30, "parser version 40 kept, 35 becomes 30");

WScript.Quit(failures === 0 ? 0 : 1);
