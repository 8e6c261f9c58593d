// Vector XML: rows written by the grid load back the same; row placement,
// refused values and malformed documents.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }

var style = '<gridStyle>' +
  '<column id="name" name="이름"/><column id="age" dataType="numeric"/>' +
  '<column id="day" dataType="dateTime"/><column id="ok" inputType="checkBox"/>' +
  '<column id="city" inputType="select"><data text="서울" value="S"/><data text="부산" value="B"/></column>' +
  '</gridStyle>';
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
check(grid.setGridStyleXML(style) === 1, "style");
var rows = [["김 \"철수\" & <co>", "42", "20070415", "1", "부산"], ["이영희", "-3.5", "", "0", "S"]];
for (var r = 0; r < rows.length; r++) {
  grid.insertRow(-1);
  for (var c = 0; c < 5; c++) grid.setCellStringData(r, c, rows[r][c]);
}
grid.setCellChecked(0, 3, 1);
grid.setRowReadOnly(1, 1);

var all = grid.getAllXML();
check(all.indexOf('<?xml version="1.0"?>\r\n<vector result="2">\r\n\t<data vectorkey="0">\r\n' +
                  '\t\t<record size="5" index="0">\r\n\t\t\t<name value="김 &quot;철수&quot; &amp; &lt;co&gt;"/>') === 0,
      "layout:\n" + all.substring(0, 200));
check(all.indexOf('<ok value="1" checked="true"/>') > 0, "checked written for checkBox");
check(all.indexOf('readOnly="true"') > 0, "read-only row marked");
check(all.substring(all.length - 9) === "</vector>", "no line break after </vector>");

var copy = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
copy.setGridStyleXML(style);
check(copy.insertRowXML(all) === 1, "rows load");
check(copy.getAllXML() === all, "same text again:\n" + copy.getAllXML());
check(copy.isModified() === 3 && copy.isCellEdited(0, 0) === 0, "loaded rows are inserted");
check(copy.insertRowXML(all) === 1 && copy.getRowCount() === 4, "a second load appends");
check(copy.getCellStringData(2, 0) === rows[0][0], "appended after the rows there");

var placed = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
placed.setGridStyleXML(style);
var keys = '<vector><data vectorkey="5"><record><name value="five"/></record></data>' +
           '<data vectorkey="0"><record><name value="zero"/></record></data>' +
           '<data><record><name value="no key"/></record></data>' +
           '<data vectorkey="3"><record><name value="three"/></record></data></vector>';
check(placed.insertRowXML(keys) === 1, "keys load");
check(placed.getRowCount() === 3, "holder without vectorkey makes no row");
check(placed.getCellStringData(0, 0) + "," + placed.getCellStringData(1, 0) + "," +
      placed.getCellStringData(2, 0) === "zero,five,three", "placement by vectorkey");
var other = '<vector><data vectorkey="0"><row><name value="x"/></row></data></vector>';
placed.insertRowXML(other);
check(placed.getRowCount() === 3, "another record element name makes no row");

// A refused value: one message, the rest still loads.
var refused = '<vector><data vectorkey="0"><record><age value="abc"/><name value="kept"/></record></data>' +
              '<data vectorkey="1"><record><age value="7"/></record></data></vector>';
var target = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
target.setGridStyleXML(style);
check(target.insertRowXML(refused) === 1, "load with a refused value succeeds");
check(target.getRowCount() === 2 && target.getCellStringData(0, 0) === "kept" &&
      target.getCellStringData(1, 1) === "7", "rest of the document loaded");

// Malformed documents load nothing.
var malformed = [
  '<vector><data vectorkey="0"><record><name value="x"/></data></vector>',
  '<vector><data vectorkey="0" vectorkey="1"><record/></data></vector>',
  '<vector><data vectorkey="0"><record><name value="&nope;"/></record></data></vector>',
  '<vector/><vector/>',
  '<?xml version="1.0"?><!DOCTYPE v [<!ENTITY a "aaaa">]><vector><data vectorkey="0"><record><name value="&a;"/></record></data></vector>'
];
for (var i = 0; i < malformed.length; i++) {
  check(target.insertRowXML(malformed[i]) === 0, "malformed " + i + " refused");
  check(target.setGridStyleXML('<gridStyle><column id="z"/>' + malformed[i]) === 0, "style " + i);
}
check(target.getRowCount() === 0, "nothing loaded");

// Selections and forms of the writers.
grid.insertRow(-1);
grid.setCellStringData(2, 0, "third");
grid.setCellChecked(2, 3, 1);
var checked = grid.getCheckedXML(3);
check(checked.indexOf('result="2"') > 0 && checked.indexOf('vectorkey="1">\r\n\t\t<record size="5" index="2"') > 0,
      "checked rows keyed in order");
check(grid.getUncheckedXML(3).indexOf('result="1"') > 0, "unchecked rows");
check(grid.getData(0, 2, 1) === "시작 지점이 잘못 지정 되었습니다.", "start message");
check(grid.getData(1, 9, 1) === "마지막 지점이 범위를 초과 하였습니다.", "end message");
var part = grid.getData(2, 3, 2);
check(part.indexOf('result="3"') > 0 && part.indexOf('index="0"') < 0 && part.indexOf('index="2"') > 0, "getData range");
check(part.indexOf('<city value="서울"/>') > 0, "display form writes labels");
check(grid.getVectorXML(1, 5).indexOf('result="5"') > 0, "getVectorXML counts the range asked");
check(grid.getRowXML(0).indexOf('<record size="5" readOnly="true">') < 0 &&
      grid.getRowXML(1).indexOf('<record size="5" readOnly="true">\r\n\t<name value="이영희"/>') === 0,
      "single row writer");
check(grid.getRowXML(9) === "", "missing row");
check(grid.getAllData(3).indexOf("<data") < 0, "unknown form writes no rows");
grid.clearStatus(1);
grid.setCellStringData(1, 0, "changed");
check(grid.getEditedXML().indexOf('result="1">\r\n\t<data vectorkey="0">\r\n\t\t<record size="5" index="1"') > 0,
      "edited rows");
check(grid.getInsertedXML().indexOf('result="0"') > 0, "no inserted rows after clearStatus");

// One hashtable document carries the style and the rows.
var table = '<hashtable><data hashkey="style">' + style + '</data><data hashkey="data">' +
            '<vector result="1"><data vectorkey="0"><record><name value="h"/><age value="9"/></record></data></vector>' +
            '</data></hashtable>';
var hashed = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
check(hashed.setGridStyleXML(table) === 1, "hashtable loads");
check(hashed.getColumnCount() === 5 && hashed.getRowCount() === 1 && hashed.getCellStringData(0, 1) === "9",
      "hashtable columns and rows");

// Strings for script are never converted: Korean is the same text whatever
// characterSet names, also when the text declares that encoding.
var encodings = ["euc-kr", "utf-8"];
for (var e = 0; e < encodings.length; e++) {
  var korean = new ActiveXObject("KORVALE.MaltroveGridCtrl.1", { characterSet: encodings[e] });
  korean.setGridStyleXML(style);
  check(korean.characterSet === encodings[e], "characterSet from params");
  korean.insertRow(-1);
  korean.setCellStringData(0, 0, "한글 테스트");
  check(korean.getCellStringData(0, 0) === "한글 테스트", encodings[e] + ": cell text");
  var text = korean.getAllXML();
  check(text.indexOf('encoding="' + encodings[e] + '"') > 0 && text.indexOf("한글 테스트") > 0,
        encodings[e] + ": XML text");
  var back = new ActiveXObject("KORVALE.MaltroveGridCtrl.1", { characterSet: encodings[e] });
  back.setGridStyleXML(korean.getGridStyleXML());
  check(back.getColumnLabel(0) === "이름", encodings[e] + ": label through the style text");
  check(back.insertRowXML(text) === 1 && back.getCellStringData(0, 0) === "한글 테스트",
        encodings[e] + ": rows through the text");
}

WScript.Quit(failures === 0 ? 0 : 1);
