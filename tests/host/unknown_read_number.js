// Reading or writing an unknown name throws DISP_E_UNKNOWNNAME.
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
var seen = 0;
try { var x = grid.noSuchMember; } catch (e) { if (e.number == 0x80020006) ++seen; }
try { grid.noSuchMember = 1; } catch (e) { if (e.number == 0x80020006) ++seen; }
WScript.Echo("unknown names thrown " + seen);
