// The gateway against a real data source (SQLite and PostgreSQL run this same
// script). Arguments: temporary folder, files folder, data-source name, user,
// password, and the kind of database ("sqlite" or "pg").
var failures = 0;
function check(cond, what) { if (!cond) { WScript.Echo("FAIL: " + what); failures++; } }
function expect(actual, wanted, what) { check(actual === wanted, what + ": got '" + actual + "'"); }

var a = WScript.Arguments;
var files = a[1], dsn = a[2], uid = a[3], pwd = a[4], kind = a[5];
var pg = kind === "pg";
var gw = new ActiveXObject("KORVALE.MaltroveDBGatewaCtrl.1", { tempURL: files + "gateway" });
expect(gw.getVersion(), "1,0,0,78", "version");
expect(gw.getDSN(), "", "no DSN file yet");
expect(gw.executeQuery("SELECT 1", "row", '<vector><data vectorkey="0" value="one"/></vector>', "", 0, 0, ""),
       "-1", "no DSN: -1");
expect(gw.setDSN(dsn, uid, pwd), 1, "setDSN");
check(gw.getDSN().indexOf('\t<DSN value="' + dsn + '"/>') > 0, "getDSN names the source");

// Tables with every type the driver offers.
gw.dbConnect();
gw.executeUpdate("DROP TABLE IF EXISTS kinds", 0, "");
var create = pg
  ? "CREATE TABLE kinds (id integer, big bigint, num numeric(8,2), dbl double precision, " +
    "rl real, vc varchar(20), tx text, ok boolean, d date, ts timestamp)"
  : "CREATE TABLE kinds (id integer, big integer, num numeric, dbl double, rl real, " +
    "vc varchar(20), tx text, ok integer, d date, ts timestamp)";
expect(gw.executeUpdate(create, 0, ""), 0, "create table");
var longText = new Array(70001).join("x");
expect(gw.executeUpdate("INSERT INTO kinds VALUES (1, 4294967296, 12, 2.5, 1.5, ' 한글 ', '" + longText +
                        "', " + (pg ? "true" : "1") + ", '2007-04-15', '2007-04-15 13:45:10')", 0, ""), 1, "row 1");
expect(gw.executeUpdate("INSERT INTO kinds VALUES (2, -1, 12.5, -0.25, 0, 'a<b&\"c''', 'short', " +
                        (pg ? "false" : "0") + ", '1899-12-31', NULL)", 0, ""), 1, "row 2");
expect(gw.executeUpdate("INSERT INTO kinds VALUES (3, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)", 0, ""),
       1, "row of nulls");

var names = ["id", "big", "num", "dbl", "rl", "vc", "tx", "ok", "d", "ts"];
var mapping = "<vector>";
for (var i = 0; i < names.length; i++) mapping += '<data vectorkey="' + i + '" value="' + names[i] + '"/>';
mapping += "</vector>";
var xml = gw.executeQuery("SELECT * FROM kinds ORDER BY id", "row", mapping, "", 0, 0, "");
check(xml.indexOf("<vector condition='' result=\"3\">\r\n\t<data vectorkey=\"0\">\r\n\t\t<row>\r\n\t\t\t<id value=\"1\"/>") === 0,
      "layout:\n" + xml.substring(0, 120));
check(xml.indexOf('<big value="4294967296"/>') > 0, "bigint");
check(xml.indexOf('<big value="-1"/>') > 0, "negative bigint");
check(xml.indexOf('<num value="12"/>') > 0 && xml.indexOf('<num value="12.500000"/>') > 0, "numeric 12 and 12.5");
check(xml.indexOf('<dbl value="-0.250000"/>') > 0 && xml.indexOf('<rl value="1.500000"/>') > 0, "double and real");
check(xml.indexOf('<vc value="한글"/>') > 0, "trimmed text");
check(xml.indexOf('<vc value="a&lt;b&amp;&quot;c&apos;"/>') > 0, "escaped text");
check(xml.indexOf('<tx value="' + new Array(65537).join("x") + '"/>') > 0, "long text cut at 65,536 bytes");
check(xml.indexOf('<d value=""/>') > 0, "date before 1900 and nulls are empty");
check(xml.indexOf('<ts value="2007-04-15 13:45"/>') > 0, "timestamp without seconds");
check(xml.substring(xml.length - 11) === "</vector>\r\n", "ends with </vector> and a line break");
if (pg) {
  check(xml.indexOf('<ok value="True"/>') > 0 && xml.indexOf('<ok value="False"/>') > 0, "boolean");
}

// The grid takes the result as it is.
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.setGridStyleXML('<gridStyle id="row"><column id="id" dataType="numeric"/><column id="vc"/></gridStyle>');
check(grid.insertRowXML(xml) === 1 && grid.getRowCount() === 3 && grid.getCellStringData(0, 1) === "한글",
      "grid loads the rows");

// More mapped columns than the result has: empty values.
var wide = gw.executeQuery("SELECT id FROM kinds WHERE id = 1", "row",
                           '<vector><data vectorkey="1" value="second"/><data vectorkey="0" value="first"/>' +
                           '<data value="third"/></vector>',
                           '<vector><data vectorkey="0" value="int"/></vector>', 0, 0, "");
check(wide.indexOf('<first value="1"/>\r\n\t\t\t<second value=""/>\r\n\t\t\t<third value=""/>') > 0,
      "extra mapped columns are empty:\n" + wide);

// No rows: -1, with the message when asked.
expect(gw.executeQuery("SELECT id FROM kinds WHERE id < 0", "row", mapping, "", 1, 0, ""), "-1", "no rows");
expect(gw.executeQuery("SELECT id FROM", "row", mapping, "", 0, 0, ""), "-1", "bad SQL");
expect(gw.executeQuery("SELECT id FROM kinds", "row", "<vector>", "", 0, 0, ""), "-1", "bad mapping XML");

// Conditions, with an apostrophe in the condition attribute.
expect(gw.setCondition("byName", "WHERE vc = 'a<b&\"c''' ORDER BY id"), 1, "condition saved");
var conditioned = gw.executeQuery("SELECT id, vc FROM kinds", "row", mapping, "", 0, 0, "byName");
check(conditioned.indexOf("<vector condition='WHERE vc = &apos;a&lt;b&amp;&quot;c&apos;&apos;&apos; ORDER BY id' result=\"1\">") === 0,
      "condition attribute:\n" + conditioned.substring(0, 120));
expect(gw.setCondition("../escape", "x"), 0, "key with a path refused");
expect(gw.setCondition("   ", "x"), 1, "blank key writes nothing");

// The preview: cancelled gives "", an edited condition is used and saved.
WScript.Answer("cancel");
expect(gw.executeQuery("SELECT id FROM kinds", "row", mapping, "", 0, 1, "byName"), "", "preview cancelled");
WScript.Answer("condition=WHERE id = 3");
var edited = gw.executeQuery("SELECT id FROM kinds", "row", mapping, "", 0, 1, "byName");
check(edited.indexOf("condition='WHERE id = 3' result=\"1\"") > 0, "edited condition used:\n" + edited.substring(0, 80));
check(gw.executeQuery("SELECT id FROM kinds", "row", mapping, "", 0, 0, "byName").indexOf('result="1"') > 0,
      "edited condition saved");

// executeUpdate: 3 rows, none, and before dbConnect.
expect(gw.executeUpdate("UPDATE kinds SET vc = 'u'", 0, ""), 3, "three rows");
expect(gw.executeUpdate("UPDATE kinds SET vc = 'u' WHERE id < 0", 0, ""), 0, "no row");
expect(gw.execute("UPDATE kinds SET vc = 'v' WHERE id = 1", 0, ""), 1, "execute");
var fresh = new ActiveXObject("KORVALE.MaltroveDBGatewaCtrl.1", { tempURL: files + "gateway" });
expect(fresh.executeUpdate("UPDATE kinds SET vc = 'w'", 1, ""), -1, "executeUpdate before dbConnect");
expect(gw.dbClose(), 1, "dbClose");
expect(gw.dbClose(), 1, "dbClose twice");
expect(gw.executeUpdate("UPDATE kinds SET vc = 'w'", 0, ""), -1, "closed connection");

if (pg) {
  // The backend goes away while rows are read: -1, then the gateway works on.
  var lost = gw.executeQuery("SELECT g, CASE WHEN g = 5000 THEN pg_terminate_backend(pg_backend_pid()) END " +
                             "FROM generate_series(1, 20000) g", "row", mapping, "", 0, 0, "");
  expect(lost, "-1", "connection lost");
  check(gw.executeQuery("SELECT id FROM kinds", "row", mapping, "", 0, 0, "").indexOf('result="3"') > 0,
        "usable after a lost connection");
}

// DSN file sizes: empty values, 247 and 248 bytes.
expect(gw.setDSN("", "", ""), 1, "empty values");
expect(grid.getFileSize(files + "gateway/dsn/dsn.inf"), 36, "36-byte file");
var v247 = new Array(248).join("d");
expect(gw.setDSN(v247, "", ""), 1, "247 bytes accepted");
expect(gw.setDSN(v247 + "d", "", ""), 0, "248 bytes refused");

WScript.Quit(failures === 0 ? 0 : 1);
