// Maltrove's main job: orders read from a database through the gateway into
// the grid, one edited, written back, and read again.
var gateway = new ActiveXObject("KORVALE.MaltroveDBGatewaCtrl.1");
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
WScript.Echo("MaltroveDBGateway " + gateway.getVersion() + ", MaltroveGrid " + grid.getVersion());

// The page stores its data source once; the password never comes back to it.
gateway.setDSN("MaltroveDemo", "", "");
gateway.setCondition("recent", "WHERE order_date >= '2026-11-01' ORDER BY order_date, order_id");

var columns = ["order_id", "customer", "product", "quantity", "unit_price", "order_date", "status", "gift"];
function vectorOf(values) {
  var xml = "<vector>";
  for (var i = 0; i < values.length; i++) xml += '<data vectorkey="' + i + '" value="' + values[i] + '"/>';
  return xml + "</vector>";
}
var mapping = vectorOf(columns);
var types = vectorOf(["long", "String", "String", "int", "double", "String", "String", "int"]);
var select = "SELECT " + columns.join(", ") + " FROM orders";

grid.setGridStyleXML(
  '<gridStyle id="order" characterSet="utf-8">' +
  '<column id="order_id" name="주문" width="50" dataType="numeric" readOnly="true"/>' +
  '<column id="customer" name="고객" width="110"/>' +
  '<column id="product" name="상품" width="120"/>' +
  '<column id="quantity" name="수량" width="50" dataType="numeric" allowChar="0-9"/>' +
  '<column id="unit_price" name="단가" width="80" dataType="numeric" displayType="#,###.##"/>' +
  '<column id="order_date" name="주문일" width="90" dataType="dateTime" outputType="%Y-%m-%d"/>' +
  '<column id="status" name="상태" width="60" inputType="select">' +
  '<data text="신규" value="N"/><data text="결제" value="P"/><data text="발송" value="S"/><data text="취소" value="C"/>' +
  '</column>' +
  '<column id="gift" name="선물" width="40" inputType="checkBox"/>' +
  '</gridStyle>');

var xml = gateway.executeQuery(select, "order", mapping, types, 1, 0, "recent");
if (xml === "-1") {
  WScript.Echo("The query failed: is the MaltroveDemo data source registered?");
  WScript.Quit(1);
}
grid.insertRowXML(xml);
var gift = grid.getColumnIndex("gift");
for (var r = 0; r < grid.getRowCount(); r++) {
  grid.setCellChecked(r, gift, grid.getCellStringData(r, gift) === "1" ? 1 : 0);
}
grid.clearStatus(1);  // what came from the database is the starting point

function show(title) {
  WScript.Echo("\n" + title);
  for (var r = 0; r < grid.getRowCount(); r++) {
    WScript.Echo("  #" + grid.getCellStringData(r, 0) + "  " + grid.getCellStringData(r, 5) + "  " +
                 grid.getCellStringData(r, 1) + " / " + grid.getCellStringData(r, 2) + "  x" +
                 grid.getCellStringData(r, 3) + " @ " + grid.getCellStringData(r, 4) + "  [" + grid.getCellComboData(r, 6) + "]" +
                 (grid.getCellChecked(r, gift) ? "  선물" : ""));
  }
}
show(grid.getRowCount() + " recent orders (condition \"recent\"):");

// The user raises the quantity of the first paid order and marks it shipped.
var row = 0;
while (row < grid.getRowCount() - 1 && grid.getCellStringData(row, 6) !== "P") row++;
var id = grid.getCellStringData(row, 0);
var oldStatus = grid.getCellStringData(row, 6);
var quantity = parseInt(grid.getCellStringData(row, 3), 10) + 5;
grid.setCellStringData(row, 3, String(quantity));
grid.setCellStringData(row, 6, "발송");
var refused = grid.setCellStringData(row, 3, "many") === 0;
WScript.Echo("\nEdited order #" + id + ": quantity " + quantity + ", status 발송" +
             (refused ? " (the text \"many\" was refused by the quantity column)" : ""));

var edited = grid.getEditedXML();
WScript.Echo("getEditedXML carries " + edited.match(/<data /g).length + " row(s)");

// The page turns the edited cells into an UPDATE and runs it.
var sets = [];
for (var c = 0; c < grid.getColumnCount(); c++) {
  if (grid.isCellEdited(row, c)) {
    sets.push(grid.getColumnFieldName(c) + " = '" + grid.getCellStringData(row, c).replace(/'/g, "''") + "'");
  }
}
gateway.dbConnect();
var changed = gateway.executeUpdate("UPDATE orders SET " + sets.join(", ") + " WHERE order_id = " + id, 1, "");
gateway.dbClose();
WScript.Echo("executeUpdate: " + changed + " row(s) changed");
grid.clearStatus(1);

var again = gateway.executeQuery(select + " WHERE order_id = " + id, "order", mapping, types, 1, 0, "");
var check = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
check.setGridStyleXML(grid.getGridStyleXML());
check.insertRowXML(again);
WScript.Echo("Read back from the database: #" + check.getCellStringData(0, 0) + " quantity " +
             check.getCellStringData(0, 3) + ", status " + check.getCellComboData(0, 6));

// Put the order back as it was, so that the demo shows the same every time.
gateway.dbConnect();
gateway.executeUpdate("UPDATE orders SET quantity = " + (quantity - 5) + ", status = '" + oldStatus +
                      "' WHERE order_id = " + id, 0, "");
gateway.dbClose();
WScript.Quit(changed === 1 && check.getCellStringData(0, 3) === String(quantity) ? 0 : 1);
