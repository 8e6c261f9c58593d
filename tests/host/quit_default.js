WScript.Echo("quitting");
WScript.Quit();
throw new Error("not reached");
