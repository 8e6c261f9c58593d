WScript.Echo("a", 1, 2.5, true, "b c");
WScript.Echo();
WScript.Echo("end");
