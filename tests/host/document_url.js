function check(ok, what) { if (!ok) throw new Error(what); }
check(WScript.DocumentURL === "file://" + WScript.ScriptFullName, "default " + WScript.DocumentURL);
WScript.DocumentURL = "http://127.0.0.1:8000/app/page.html";
check(WScript.DocumentURL === "http://127.0.0.1:8000/app/page.html", "set " + WScript.DocumentURL);
var grid = new ActiveXObject("KORVALE.MaltroveGridCtrl.1");
WScript.Echo("document " + WScript.DocumentURL);
