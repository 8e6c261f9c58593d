WScript.Echo("before");

throw new Error("boom");
