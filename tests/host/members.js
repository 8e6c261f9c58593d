// Methods and properties by name, without regard to letter case.
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
function check(ok, what) { if (!ok) throw new Error(what); }
check(grid.getVersion() === "1,0,0,78", "version " + grid.getVersion());
check(grid.GETVERSION() === "1,0,0,78", "version by upper case");
grid.insertColumn(0, "Name", 100, "name", 1, 1, "", "", 0, "");
var rows = grid.getRowCount();
grid.InsertRow(0);
check(grid.GetRowCount() === rows + 1, "row count " + grid.getRowCount());
grid.readOnly = 1;
check(!!grid.ReadOnly, "readOnly set");
grid.READONLY = 0;
check(!grid.readOnly, "readOnly cleared");
WScript.Echo("members ok");
