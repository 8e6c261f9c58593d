// Injected into the opened page before its own scripts. Turns each
// <object classid> into a control: its prototype becomes a proxy that sends
// member reads, writes and calls to the host through window.prompt, which
// the host answers synchronously. Events fired during a call come back in
// the call's answer and run here before the call returns.
(function () {
  "use strict";
  if (window.__maltrove) return;
  const MARK = "\u0001maltrove";
  const controls = new Map();      // host index -> {element, members, handlers}
  const indexOf = new WeakMap();   // element -> host index
  const scriptHandlers = [];       // {id, event, fn} from <script for event>
  const seenScripts = new WeakSet();

  // The host answers only the origin of the page the user opened.
  const refused = { x: { number: 0x80070005, message: "the page host does not answer this page" } };

  function ask(request) {
    const answer = window.prompt(MARK, JSON.stringify(request));
    return answer === null ? refused : JSON.parse(answer);
  }

  function toWire(value) {
    if (value === undefined || value === null) return null;
    if (typeof value === "object" && indexOf.has(value)) return { $o: indexOf.get(value) };
    if (typeof value === "object" || typeof value === "function") return { $bad: true };
    return value;
  }

  function fromWire(value) {
    if (value === undefined || value === null) return undefined;
    if (typeof value === "object") {
      const entry = controls.get(value.$o);
      return entry ? entry.element : null;
    }
    return value;
  }

  function automationError(x) {
    const error = new Error(x.message);
    error.number = x.number;
    error.description = x.message;
    return error;
  }

  function report(error) {
    if (typeof window.reportError === "function") window.reportError(error);
    else setTimeout(function () { throw error; });
  }

  function call(request) {
    const answer = ask(request);
    deliver(answer.e);
    if (answer.x) throw automationError(answer.x);
    return fromWire(answer.v);
  }

  function invoke(index, member, kind, args, name) {
    return call({ op: "invoke", o: index, d: member.d, k: kind,
                  a: Array.prototype.map.call(args, toWire), n: name });
  }

  // --- events ---

  function eventKeys(name) {
    const folded = name.toLowerCase();
    return folded.startsWith("on") ? [folded, folded.slice(2)] : [folded, "on" + folded];
  }

  function handlersFor(entry, name) {
    const keys = eventKeys(name);
    const list = [];
    const id = entry.element.id;
    for (const h of scriptHandlers) {
      if (h.id === id && keys.includes(h.event)) list.push(h.fn);
    }
    for (const key of keys) {
      const fn = window["__maltrove_on$" + id + "$" + key];
      if (typeof fn === "function") list.push(fn);
    }
    for (const h of entry.attached) {
      if (keys.includes(h.event)) list.push(h.fn);
    }
    return list;
  }

  function fire(index, name, args) {
    const entry = controls.get(index);
    if (!entry) return;
    const values = args.map(fromWire);
    for (const fn of handlersFor(entry, name)) {
      try {
        fn.apply(entry.element, values);
      } catch (error) {
        report(error);
      }
    }
  }

  function deliver(events) {
    if (!events) return;
    for (const event of events) fire(event[0], event[1], event[2]);
  }

  function attach(entry, event, fn) {
    if (typeof fn !== "function" || !entry.events.has(eventKeys(String(event))[0])) return false;
    const folded = String(event).toLowerCase();
    if (!entry.attached.some(function (h) { return h.event === folded && h.fn === fn; })) {
      entry.attached.push({ event: folded, fn: fn });
    }
    return true;
  }

  function detach(entry, event, fn) {
    const folded = String(event).toLowerCase();
    const at = entry.attached.findIndex(function (h) { return h.event === folded && h.fn === fn; });
    if (at < 0) return false;
    entry.attached.splice(at, 1);
    return true;
  }

  function bindScriptHandlers() {
    for (const script of document.querySelectorAll("script[for][event]")) {
      if (seenScripts.has(script)) continue;
      seenScripts.add(script);
      const match = /^\s*([\w$]+)\s*(?:\(([^)]*)\))?\s*;?\s*$/.exec(script.getAttribute("event"));
      if (!match) continue;
      const params = match[2] ? match[2].split(",").map(function (p) { return p.trim(); })
                                         .filter(function (p) { return p; }) : [];
      try {
        const fn = Function.apply(null, params.concat([script.text]));
        scriptHandlers.push({ id: script.getAttribute("for").trim(),
                              event: match[1].toLowerCase(), fn: fn });
      } catch (error) {
        report(error);
      }
    }
  }

  // --- controls ---

  function unknownName(index, name) {
    return automationError({ number: 0x80020006,
                             message: controls.get(index).progId + "." + name +
                                      ": unknown name (0x80020006)" });
  }

  function controlPrototype(index, base) {
    const entry = controls.get(index);
    return new Proxy(base, {
      get: function (target, name, receiver) {
        if (typeof name !== "string") return Reflect.get(target, name, receiver);
        const member = entry.members.get(name.toLowerCase());
        if (member) {
          if (member.m) return function () { return invoke(index, member, 0, arguments, name); };
          return invoke(index, member, 1, [], name);
        }
        if (name === "attachEvent") return function (e, fn) { return attach(entry, e, fn); };
        if (name === "detachEvent") return function (e, fn) { return detach(entry, e, fn); };
        if (name in target) return Reflect.get(target, name, receiver);
        throw unknownName(index, name);
      },
      set: function (target, name, value, receiver) {
        const member = typeof name === "string" && entry.members.get(name.toLowerCase());
        if (member) {
          invoke(index, member, 2, [value], name);
          return true;
        }
        if (typeof name !== "string" || name in target) {
          return Reflect.set(target, name, value, receiver);
        }
        throw unknownName(index, name);
      },
      has: function (target, name) {
        return (typeof name === "string" && entry.members.has(name.toLowerCase())) ||
               name in target;
      }
    });
  }

  function cssLength(text) {
    if (text === null || text === "") return null;
    return /^\s*\d+(\.\d+)?\s*$/.test(text) ? text.trim() + "px" : text;
  }

  // Blink draws an <object> it cannot load at its fallback's size.
  function sizeBox(element) {
    const width = cssLength(element.getAttribute("width"));
    const height = cssLength(element.getAttribute("height"));
    if (getComputedStyle(element).display === "inline") element.style.display = "inline-block";
    if (width) element.style.width = width;
    if (height) element.style.height = height;
    element.style.visibility = "hidden";  // the control's window covers the box
  }

  function parameters(element) {
    const params = {};
    for (const child of element.children) {
      if (child.localName === "param" && child.hasAttribute("name")) {
        params[child.getAttribute("name")] = child.getAttribute("value") || "";
      }
    }
    return params;
  }

  function bind(element) {
    indexOf.set(element, -1);
    const answer = ask({ op: "create", classid: element.getAttribute("classid"),
                         params: parameters(element), id: element.id });
    if (answer.x) {
      console.error("<object id=\"" + element.id + "\">: " + answer.x.message);
      return;
    }
    const index = answer.v.index;
    const members = new Map();
    for (const m of answer.v.members) {
      const key = m[0].toLowerCase();
      const known = members.get(key);
      members.set(key, { d: m[1], m: m[2] || (known ? known.m : false) });
    }
    const events = new Set(answer.v.events.map(function (e) { return e.toLowerCase(); }));
    controls.set(index, { element: element, members: members, events: events, attached: [],
                          progId: answer.v.progId, windowed: answer.v.windowed, box: "" });
    indexOf.set(element, index);
    sizeBox(element);
    Object.setPrototypeOf(element, controlPrototype(index, Object.getPrototypeOf(element)));
    place(index);
  }

  function scan() {
    for (const element of document.querySelectorAll("object[classid]")) {
      if (!indexOf.has(element)) bind(element);
    }
    bindScriptHandlers();
  }

  // --- placement of the controls' windows over their boxes ---

  function clipOf(element) {
    const root = document.documentElement;
    let clip = { l: 0, t: 0, r: root.clientWidth, b: root.clientHeight };
    for (let a = element.parentElement; a && a !== root && a !== document.body; a = a.parentElement) {
      const style = getComputedStyle(a);
      if (style.overflowX === "visible" && style.overflowY === "visible") continue;
      const box = a.getBoundingClientRect();
      const l = box.left + a.clientLeft, t = box.top + a.clientTop;
      clip = { l: Math.max(clip.l, l), t: Math.max(clip.t, t),
               r: Math.min(clip.r, l + a.clientWidth), b: Math.min(clip.b, t + a.clientHeight) };
    }
    return clip;
  }

  function place(index) {
    const entry = controls.get(index);
    if (!entry.windowed) return;
    const element = entry.element;
    const box = element.getBoundingClientRect();
    const clip = clipOf(element);
    const shown = element.isConnected && box.width > 0 && box.height > 0 &&
                  getComputedStyle(element).display !== "none";
    const geometry = [box.left, box.top, box.width, box.height,
                      clip.l, clip.t, Math.max(0, clip.r - clip.l), Math.max(0, clip.b - clip.t),
                      shown ? 1 : 0].map(Math.round);
    const key = geometry.join(",") + "@" + window.devicePixelRatio;  // zoom moves windows too
    if (key === entry.box) return;
    entry.box = key;
    ask({ op: "place", o: index, g: geometry });
  }

  function placeAll() {
    for (const index of controls.keys()) place(index);
  }

  function follow() {
    placeAll();
    requestAnimationFrame(follow);
  }

  // A new document: the host lets the controls of the one before go.
  ask({ op: "document", doc: Math.random().toString(36).slice(2) + "-" + Date.now() });

  new MutationObserver(scan).observe(document, { childList: true, subtree: true });
  document.addEventListener("DOMContentLoaded", scan);
  window.addEventListener("scroll", placeAll, true);
  window.addEventListener("resize", placeAll);
  requestAnimationFrame(follow);

  window.__maltrove = {
    fire: function (index, name, args) { fire(index, name, args); return true; },
    placeAll: placeAll
  };
})();
