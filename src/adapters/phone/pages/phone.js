// The audience's keypad. Names and texts are always set as text, never as markup.
"use strict";
const $ = (id) => document.getElementById(id);
const KEY = "talvixKeypadToken";
let token = localStorage.getItem(KEY) || "";
let state = null, socket = null, retry = 1000, deadline = 0, timer = 0, sending = false;

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
    b.setAttribute("aria-pressed", v.answer === n ? "true" : "false");
    b.disabled = !v.open;
    num.className = "num";
    num.textContent = n;
    label.textContent = text;
    b.append(num, label);
    b.addEventListener("click", () => answer(v.id, n));
    li.append(b);
    list.append(li);
  });
  if (focused) { const again = list.querySelector("button[data-answer='" + focused + "']"); if (again && !again.disabled) again.focus(); }
  const chosen = v.answer ? v.answer + " (" + (v.options[Number(v.answer) - 1] || "") + ")" : "";
  if (v.open) {
    say("The vote is open: choose one answer.");
    $("answer-note").textContent = chosen ? "Your answer: " + chosen + ". You may change it until the vote closes." : "No answer yet.";
    if (v.deadline) {
      deadline = v.deadline;
      tick();
      timer = setInterval(tick, 500);
    }
  } else {
    say("The vote is closed.");
    $("answer-note").textContent = chosen ? "The vote is closed. Your answer: " + chosen + "." : "The vote is closed. You gave no answer.";
    $("answer-note").className = "banner closed";
    return;
  }
  $("answer-note").className = "banner";
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

async function answer(vote, n) {
  if (sending) return;
  sending = true;
  const r = await call("POST", "/api/answer", { vote, answer: n });
  sending = false;
  if (r.status === 401) { forget(); return; }
  if (r.status !== 200) { say(r.data.error || "The answer was not taken."); return; }
  if (state && state.vote && state.vote.id === vote) { state.vote.answer = n; render(state); }
}

function forget() {
  token = "";
  localStorage.removeItem(KEY);
  if (socket) socket.close();
  showJoin();
  say("This keypad is no longer valid: please join again.");
}

async function connect() {
  const r = await call("GET", "/api/state");
  if (r.status === 401) { forget(); return; }
  if (r.status === 200) received(r.data);
  const ws = new WebSocket((location.protocol === "https:" ? "wss://" : "ws://") + location.host + "/ws?token=" + encodeURIComponent(token));
  socket = ws;
  ws.onmessage = (e) => { retry = 1000; received(JSON.parse(e.data)); };
  ws.onclose = (e) => {
    if (socket !== ws || !token) return;
    if (e.code === 4000) { say("This keypad is open in another window: this one has stopped. Reload to use it here."); return; }
    if (e.code === 1008) { forget(); return; }
    say("Connection lost: trying again…");
    setTimeout(connect, retry);
    retry = Math.min(retry * 2, 15000);
  };
}

$("join").addEventListener("submit", (e) => { e.preventDefault(); join($("name").value); });
$("code").addEventListener("input", lookUpNames);
$("other").addEventListener("click", () => { $("listed").hidden = true; $("free").hidden = false; $("join-button").hidden = false; say("Enter your name."); $("name").focus(); });
document.addEventListener("visibilitychange", () => { if (!document.hidden && token && (!socket || socket.readyState > 1)) connect(); });
if (token) connect(); else showJoin();
