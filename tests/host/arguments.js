var args = WScript.Arguments;
function check(ok, what) { if (!ok) throw new Error(what); }
check(args.length == 2 && args.Count() == 2, "count " + args.length);
check(args[0] == "one" && args.Item(0) == "one", "first " + args[0]);
check(args.Item(1) == "two words", "second " + args.Item(1));
check(/^\/.*\/arguments\.js$/.test(WScript.ScriptFullName), "path " + WScript.ScriptFullName);
WScript.Echo("arguments " + args.join("|"));
