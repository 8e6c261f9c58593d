// Grid style XML: written, read into a fresh grid, written again the same.
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }

var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.insertColumn(-1, "이름", 120, "name", 1, 1, "", "", 1, "");
grid.insertColumn(-1, "Amount", 90, "amount", 2, 1, "#,###", "#,###.##", 0, "0");
grid.insertColumn(-1, "Day", 80, "day", 3, 6, "%Y-%m-%d", "", 0, "");
grid.insertColumn(-1, "City", 70, "city", 1, 3, "", "", 0, "");
grid.insertColumn(-1, "Pick", 40, "pick", 1, 5, "", "", 0, "");
grid.setColumnCombo(3, "Seoul;Busan;\"Q\" & <co>", "S;B;Q");
grid.setColumnAllowChar(1, "0-9<>&");
grid.setColumnIgnoreChar(1, ",");
grid.setColumnInputLimit(0, 20);
grid.setColumnVisible(2, 0);
grid.setColumnDefaultChecked(4, 1);
grid.setColumnHeaderBackgroundColor(0, "#FF0000");
grid.setColumnCellFontBold(1, 1);
grid.setColumnCellButtonFaceColor(4, "#123456");
grid.columnHeaderHeight = 30;
grid.cellHeightDefault = 24;
grid.rowHeaderWidth = 44;
grid.fixedColumnCount = 1;
grid.enableColumnResize = 1;
grid.contextMenuLevel = -1;
grid.setCellStyle("background-color:#FAFAFA;font-size:9pt;tooltip:show;");
grid.characterSet = "euc-kr";
grid.setGridName("row");

var written = grid.getGridStyleXML();
check(written.indexOf('<?xml version="1.0" encoding="euc-kr"?>\r\n<gridStyle id="row"') === 0,
      "declaration and id: " + written.substring(0, 80));
check(written.indexOf('columnHeaderHeight="30"') > 0, "header height written");
check(written.indexOf('visible="false"') > 0, "hidden column written");
check(written.indexOf('<data text="&quot;Q&quot; &amp; &lt;co&gt;" value="Q"/>') > 0,
      "select item escaped");

var copy = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
check(copy.setGridStyleXML(written) === 1, "style loads");
check(copy.getGridStyleXML() === written, "written again the same:\n" + copy.getGridStyleXML());
check(copy.getColumnCount() === 5 && copy.getColumnVisible(2) === 0, "columns");
check(copy.getColumnWidth(2) === 80, "hidden column keeps its width");
check(copy.getColumnAllowChar(1) === "0-9<>&", "allowChar survives");
check(copy.characterSet === "euc-kr" && copy.columnHeaderHeight === 30, "settings");
check(copy.getColumnHeaderBackgroundColor(0) === "#FF0000", "column header colour");
check(copy.getColumnComboValues(3) === "S;B;Q;", "items");
check(copy.getHeaderStyle(5) === copy.getHeaderStyle(0), "getHeaderStyle ignores its argument");

// Items without a value shift the values against the texts.
var items = '<gridStyle><column id="c" inputType="select">' +
            '<data text="A" value="1"/><data text="B"/><data text="C" value="3"/></column></gridStyle>';
var shifted = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
check(shifted.setGridStyleXML(items) === 1, "items load");
check(shifted.getColumnComboDatas(0) === "A;B;C;" && shifted.getColumnComboValues(0) === "1;3;",
      "item lists " + shifted.getColumnComboDatas(0) + " / " + shifted.getColumnComboValues(0));
check(shifted.getColumnFieldType(0) === 1, "absent dataType is string");
var numericCase = '<gridStyle><column id="n" dataType="Numeric"/><column/><column id="n"/></gridStyle>';
check(shifted.setGridStyleXML(numericCase) === 1, "second style loads");
check(shifted.getColumnCount() === 2, "duplicate id refused: " + shifted.getColumnCount());
check(shifted.getColumnFieldType(0) === 1, "Numeric with a capital is string");
check(shifted.getColumnFieldName(1) === "data1" && shifted.getColumnLabel(1) === "data1",
      "generated id and label");
check(shifted.getColumnCount() === 2 && shifted.getRowCount() === 0, "rows removed");

// Style properties and their quirks.
grid.headerBorderStyle = 2;
check(grid.headerBorderStyle === 0, "border style put changes nothing");
check(grid.columnHeaderFontCharSetDefault === "default", "charset by name");
grid.cellFontCharSetDefault = "hangul";
check(grid.cellFontCharSetDefault === "hangul", "charset set by name");
grid.setColumnCellFontCharSet(0, "nonsense");
check(grid.getColumnCellFontCharSet(0) === "", "unknown charset reads empty");
check(grid.gridBackgroundColor === "#FFFFFF" && grid.cellBorderColor === "#808080", "colours");
grid.insertRow(-1);
check(grid.getRowCellBackgroundColor(0) === "#FFFFFF", "unset row colour reads white");
grid.setRowCellTextColor(0, "#00ff00");
check(grid.getRowCellTextColor(0) === "#00FF00", "row text colour");
check(grid.getRowCellTextColor(7) === "", "missing row");

WScript.Quit(failures === 0 ? 0 : 1);
