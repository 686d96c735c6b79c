// The audience's keypad. Names and texts are always set as text, never as markup.
"use strict";
const $ = (id) => document.getElementById(id);
const KEY = "talvixKeypadToken", PENDING = "talvixPendingAnswer", COUNTER = "talvixAnswerId";
let token = localStorage.getItem(KEY) || "";
let state = null, socket = null, retry = 1000, deadline = 0, timer = 0;
// An answer sent and not acknowledged yet, kept (also across a reload) and
// sent again with the same id when the connection is back: it counts once.
let pending = JSON.parse(localStorage.getItem(PENDING) || "null");
let refused = null; // {vote, answer} that came after its vote closed: not counted
let resendTimer = 0;

function say(text) { $("status").textContent = text; }

async function call(method, path, body) {
  const headers = { "Content-Type": "application/json" };
  if (token) headers.Authorization = "Bearer " + token;
  const r = await fetch(path, { method, headers, body: body ? JSON.stringify(body) : undefined });
  let data = {};
  try { data = await r.json(); } catch (e) { /* no body */ }
  return { status: r.status, data };
}

function showJoin() {
  $("keypad").hidden = true;
  $("join").hidden = false;
  $("heading").textContent = "Join the quiz";
  say("Enter the join code and your name.");
  const m = /code=(\d{6})/.exec(location.hash);
  if (m && !$("code").value) { $("code").value = m[1]; lookUpNames(); }
}

async function lookUpNames() {
  const code = $("code").value.trim();
  if (!/^\d{6}$/.test(code)) return;
  const r = await call("POST", "/api/names", { code });
  if (r.status !== 200) { $("join-error").textContent = r.data.error || "That code is not right."; return; }
  $("join-error").textContent = "";
  const list = $("listed-names");
  list.replaceChildren();
  for (const name of r.data.names) {
    const li = document.createElement("li");
    const b = document.createElement("button");
    b.type = "button";
    b.textContent = name;
    b.addEventListener("click", () => join(name));
    li.append(b);
    list.append(li);
  }
  const listed = r.data.names.length > 0;
  $("listed").hidden = !listed;
  $("free").hidden = listed;
  $("join-button").hidden = listed;
  say(listed ? "Choose your name from the list." : "Enter your name.");
}

async function join(name) {
  const code = $("code").value.trim();
  if (!/^\d{6}$/.test(code)) { $("join-error").textContent = "The join code has 6 digits."; $("code").focus(); return; }
  if (!name.trim()) { $("join-error").textContent = "Please give your name."; $("name").focus(); return; }
  const r = await call("POST", "/api/join", { code, name });
  if (r.status !== 200) { $("join-error").textContent = r.data.error || "Could not join."; return; }
  token = r.data.token;
  localStorage.setItem(KEY, token);
  $("join").hidden = true;
  connect();
}

function render(s) {
  state = s;
  $("join").hidden = true;
  $("keypad").hidden = false;
  $("heading").textContent = "Keypad " + s.keypad;
  // The name in an isolate: a right-to-left mark in it turns no text around it.
  const name = document.createElement("bdi");
  name.textContent = s.name;
  $("who").replaceChildren("You are ", name, ", keypad " + s.keypad + ".");
  const v = s.vote, list = $("options");
  clearInterval(timer);
  $("countdown").hidden = true;
  if (!v) {
    $("vote-title").textContent = "No question yet";
    $("vote-text").textContent = "";
    list.replaceChildren();
    $("answer-note").textContent = "";
    say("Waiting for the first question.");
    return;
  }
  const focused = document.activeElement && document.activeElement.dataset ? document.activeElement.dataset.answer : null;
  $("vote-title").textContent = v.title || v.question;
  $("vote-text").textContent = v.text || "";
  list.replaceChildren();
  v.options.forEach((text, i) => {
    const n = String(i + 1), li = document.createElement("li"), b = document.createElement("button");
    const num = document.createElement("span"), label = document.createElement("span");
    b.type = "button";
    b.dataset.answer = n;
    const shown = pending && pending.vote === v.id ? pending.answer : v.answer;
    b.setAttribute("aria-pressed", shown === n ? "true" : "false");
    b.disabled = !v.open;
    num.className = "num";
    num.textContent = n;
    label.textContent = text;
    b.append(num, label);
    b.addEventListener("click", () => answer(v, n));
    li.append(b);
    list.append(li);
  });
  if (focused) { const back = list.querySelector("button[data-answer='" + focused + "']"); if (back && !back.disabled) back.focus(); }
  if (v.open && v.deadline) {
    deadline = v.deadline;
    tick();
    timer = setInterval(tick, 500);
  }
  const chosen = v.answer ? v.answer + " (" + (v.options[Number(v.answer) - 1] || "") + ")" : "";
  let status, note, kind = "banner";
  if (refused && refused.vote === v.id) {
    status = "Your answer " + refused.answer + " was not counted: the vote had closed before it arrived.";
    note = "Not counted: your answer " + refused.answer + " came after the vote closed." + (chosen ? " The answer that counts: " + chosen + "." : "");
    kind = "banner error";
  } else if (pending && pending.vote === v.id) {
    status = "Your answer " + pending.answer + " is not confirmed yet: it is sent again when the connection is back.";
    note = "Your answer " + pending.answer + " is waiting to be sent.";
  } else if (v.open) {
    status = "The vote is open: choose one answer.";
    note = chosen ? "Your answer: " + chosen + ". You may change it until the vote closes." : "No answer yet.";
  } else {
    status = "The vote is closed.";
    note = chosen ? "The vote is closed. Your answer: " + chosen + "." : "The vote is closed. You gave no answer.";
    kind = "banner closed";
  }
  if (refused && refused.vote !== v.id) status = "Your answer " + refused.answer + " to an earlier vote was not counted: that vote had closed.";
  say(status);
  $("answer-note").textContent = note;
  $("answer-note").className = kind;
}

// A state from the server: the countdown's end on this phone's clock.
function received(s) {
  if (s.vote && s.vote.secondsLeft !== null && s.vote.secondsLeft !== undefined) s.vote.deadline = Date.now() + s.vote.secondsLeft * 1000;
  render(s);
}

function tick() {
  const left = Math.max(0, Math.ceil((deadline - Date.now()) / 1000));
  $("countdown").hidden = false;
  $("countdown").textContent = left + (left === 1 ? " second left" : " seconds left");
}

// Answers are numbered upwards, above any the controller has taken from this keypad.
function answer(v, n) {
  const id = Math.max(Number(localStorage.getItem(COUNTER)) || 0, v.answerId || 0) + 1;
  localStorage.setItem(COUNTER, String(id));
  pending = { vote: v.id, question: v.question, answer: n, id };
  localStorage.setItem(PENDING, JSON.stringify(pending));
  refused = null;
  send(pending);
}

// Tried again every few seconds, and at once when the page connects again.
function sendLater() {
  clearTimeout(resendTimer);
  resendTimer = setTimeout(() => { if (pending) send(pending); }, 3000);
  if (state) render(state);
}

async function send(p) {
  clearTimeout(resendTimer);
  let r;
  try {
    r = await call("POST", "/api/answer", p);
  } catch (e) { sendLater(); return; } // no connection: kept
  if (r.status === 401) { forget(); return; }
  const settled = r.status === 200 || r.status === 400 || r.status === 409;
  if (!settled) { sendLater(); return; } // refused for now (busy, a restart): kept
  if (pending && pending.id === p.id) { pending = null; localStorage.removeItem(PENDING); }
  if (r.status === 409) refused = { vote: p.vote, answer: p.answer };
  if (!state || !state.vote || state.vote.id !== p.vote) return;
  if (r.status === 200) state.vote.answer = r.data.answer;
  render(state);
  if (r.status === 400) say(r.data.error || "The answer was not taken.");
}

function forget() {
  token = "";
  pending = null;
  localStorage.removeItem(KEY);
  localStorage.removeItem(PENDING);
  if (socket) socket.close();
  showJoin();
  say("This keypad is no longer valid: please join again.");
}

function again() {
  say("Connection lost: trying again…");
  setTimeout(connect, retry);
  retry = Math.min(retry * 2, 15000);
}

async function connect() {
  let r;
  try { r = await call("GET", "/api/state"); } catch (e) { again(); return; } // the controller is not back yet
  if (r.status === 401) { forget(); return; }
  if (r.status === 200) received(r.data);
  if (r.status === 200 && pending) send(pending);
  const ws = new WebSocket((location.protocol === "https:" ? "wss://" : "ws://") + location.host + "/ws?token=" + encodeURIComponent(token));
  socket = ws;
  ws.onmessage = (e) => { retry = 1000; received(JSON.parse(e.data)); };
  ws.onclose = (e) => {
    if (socket !== ws || !token) return;
    if (e.code === 4000) { say("This keypad is open in another window: this one has stopped. Reload to use it here."); return; }
    if (e.code === 1008) { forget(); return; }
    again();
  };
}

$("join").addEventListener("submit", (e) => { e.preventDefault(); join($("name").value); });
$("code").addEventListener("input", lookUpNames);
$("other").addEventListener("click", () => { $("listed").hidden = true; $("free").hidden = false; $("join-button").hidden = false; say("Enter your name."); $("name").focus(); });
document.addEventListener("visibilitychange", () => { if (!document.hidden && token && (!socket || socket.readyState > 1)) connect(); });
if (token) connect(); else showJoin();
