var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
grid.noSuchMember = 1;
WScript.Echo("written");
