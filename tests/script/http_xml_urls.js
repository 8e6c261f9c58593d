// openXMLURL and openXMLURLEx against a loopback HTTP server: references
// relative to the page, from the server root, and missing files.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }

// Arguments: the controls' temporary folder, the folder the server serves
// and the server's port.
var temp = WScript.Arguments[0], root = WScript.Arguments[1], port = WScript.Arguments[2];
var source = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
source.setGridStyleXML('<gridStyle id="row"><column id="name" name="이름"/><column id="n" dataType="numeric"/></gridStyle>');
source.insertRow(-1);
source.setCellStringData(0, 0, "서버");
source.setCellStringData(0, 1, "7");
// The grid writes the files the server serves.
check(source.saveXMLFile(root + "style.xml", root + "vector.xml", 0) === 1, "files saved");
check(source.saveXMLFileEx(root + "both.xml", 0) === 1, "combined file saved");

WScript.DocumentURL = "http://127.0.0.1:" + port + "/page.html";
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
check(grid.openXMLURL("style.xml", "vector.xml") === 1, "relative references");
check(grid.getColumnCount() === 2 && grid.getCellStringData(0, 0) === "서버", "loaded rows");
check(grid.getAllXML() === source.getAllXML(), "same rows as the source");

WScript.DocumentURL = "http://127.0.0.1:" + port + "/app/sub/page.html";
var rooted = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
check(rooted.openXMLURL("/style.xml", "/vector.xml") === 1, "references from the server root");
check(rooted.getRowCount() === 1, "rows from the server root");
check(rooted.openXMLURLEx("../../both.xml") === 1 && rooted.getCellStringData(0, 1) === "7",
      "combined file relative to a subfolder page");
var absolute = "http://127.0.0.1:" + port + "/both.xml";
check(rooted.openXMLURLEx(absolute) === 1, "absolute reference");

// A missing style file: 0 and the grid as it was.
check(rooted.openXMLURL("/missing.xml", "/vector.xml") === 0, "missing style file");
check(rooted.getColumnCount() === 2 && rooted.getRowCount() === 1, "grid untouched");
// A missing vector file: 0, the grid as it was, no temporary file left.
check(rooted.openXMLURL("/style.xml", "/missing.xml") === 0, "missing vector file");
check(rooted.getColumnCount() === 2 && rooted.getRowCount() === 1, "grid untouched again");
check(rooted.openXMLURLEx("/missing.xml") === 0, "missing combined file");
check(rooted.openXMLURLEx("ftp://127.0.0.1:" + port + "/both.xml") === 0, "other schemes fail");
var names = ["mvgstyle.xml", "mvgvector.xml", "mvg.xml"];
for (var i = 0; i < names.length; i++) {
  check(rooted.getFileSize(temp + names[i]) === 0, "no temporary " + names[i]);
}

WScript.Quit(failures === 0 ? 0 : 1);
