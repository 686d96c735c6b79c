// The presenter's page. Names and texts are always set as text, never as markup.
"use strict";
const $ = (id) => document.getElementById(id);
const token = new URLSearchParams(location.search).get("token") || "";
let retry = 1000, deadline = 0, timer = 0, last = null;

function say(text) { $("status").textContent = text; }

async function call(method, path, body) {
  const r = await fetch(path, { method, headers: { "Content-Type": "application/json", Authorization: "Bearer " + token }, body: body ? JSON.stringify(body) : undefined });
  let data = {};
  try { data = await r.json(); } catch (e) { /* no body */ }
  if (r.status !== 200) say(data.error || "Refused (" + r.status + ").");
  return { status: r.status, data };
}

function cell(row, text) { const td = document.createElement("td"); td.textContent = text; row.append(td); return td; }

function button(text, label, action) {
  const b = document.createElement("button");
  b.type = "button";
  b.textContent = text;
  b.setAttribute("aria-label", label);
  b.addEventListener("click", action);
  return b;
}

function render(s) {
  last = s;
  $("join-code").textContent = s.joinCode;
  $("address").textContent = s.address;
  const v = s.vote;
  clearInterval(timer);
  if (!v) {
    $("vote-line").textContent = "No vote yet.";
    $("vote-count").textContent = "";
  } else {
    $("vote-line").textContent = (v.open ? "Open: " : "Closed: ") + v.question + (v.title ? " (" + v.title + ")" : "");
    if (v.open) {
      const answers = v.answers + (v.answers === 1 ? " answer" : " answers");
      $("vote-count").textContent = answers;
      if (v.secondsLeft !== null && v.secondsLeft !== undefined) {
        deadline = Date.now() + v.secondsLeft * 1000;
        const show = () => { $("vote-count").textContent = answers + ", " + Math.max(0, Math.ceil((deadline - Date.now()) / 1000)) + " s left"; };
        show();
        timer = setInterval(show, 500);
      }
    } else {
      $("vote-count").textContent = "";
    }
  }
  $("close").hidden = !(v && v.open);
  // A close that could not be recorded: said until a close succeeds (the state carries it).
  $("close-error").textContent = s.closeError || "";
  $("close-error").hidden = !s.closeError;
  const spread = $("spread");
  spread.hidden = !(v && !v.open && s.spread);
  if (!spread.hidden) {
    $("spread-caption").textContent = "Answers to " + v.question;
    const body = spread.tBodies[0];
    body.replaceChildren();
    v.options.forEach((text, i) => {
      const tr = document.createElement("tr");
      cell(tr, String(i + 1));
      cell(tr, text);
      cell(tr, String(s.spread[String(i + 1)] || 0));
      body.append(tr);
    });
  }
  const qs = $("questions").tBodies[0];
  qs.replaceChildren();
  for (const q of s.questions) {
    const tr = document.createElement("tr");
    cell(tr, q.question);
    cell(tr, q.title);
    const td = cell(tr, "");
    if (q.kind === "options") {
      if (v && v.open && v.question === q.question) {
        td.textContent = "Voting now";
        td.className = "closed";
      } else {
        // Opening another vote closes (and records) the open one: the button says so.
        const other = v && v.open ? " (closes " + v.question + ")" : "";
        const b = button("Open" + other, "Open the vote of " + q.question + other, () => call("POST", "/api/presenter/open", { question: q.question }));
        b.dataset.question = q.question;
        td.append(b);
      }
    } else {
      td.textContent = q.kind === "unreadable" ? "The question file cannot be read." : "Not answered from phones yet (" + q.kind + ").";
    }
    qs.append(tr);
  }
  if (s.questions.length === 0) {
    const tr = document.createElement("tr");
    cell(tr, "No question files (.tlx) in the presentation's folder.").colSpan = 3;
    qs.append(tr);
  }
  const people = $("people").tBodies[0];
  people.replaceChildren();
  $("people-count").textContent = String(s.participants.length);
  for (const p of s.participants) {
    const tr = document.createElement("tr");
    cell(tr, String(p.keypad));
    cell(tr, p.name);
    cell(tr, p.joined ? "yes" : "not yet");
    cell(tr, "").append(button("Remove", "Remove " + p.name + ", keypad " + p.keypad, () => {
      if (confirm("Remove " + p.name + " (keypad " + p.keypad + ")? Their phone can no longer answer.")) call("POST", "/api/presenter/remove", { keypad: p.keypad });
    }));
    people.append(tr);
  }
}

function connect() {
  const ws = new WebSocket("ws://" + location.host + "/ws?token=" + encodeURIComponent(token));
  ws.onopen = () => { retry = 1000; say("Connected."); };
  ws.onmessage = (e) => render(JSON.parse(e.data));
  ws.onclose = (e) => {
    if (e.code === 4000) { say("This presenter page is open in another window: this one has stopped. Reload to use it here."); return; }
    if (e.code === 1008) { say("The presenter token is not valid."); return; }
    say("Connection lost: trying again…");
    setTimeout(connect, retry);
    retry = Math.min(retry * 2, 15000);
  };
}

$("qr").src = "/qr.png?token=" + encodeURIComponent(token);
$("close").addEventListener("click", async () => { const r = await call("POST", "/api/presenter/close"); if (r.status === 200) say("The vote is closed and recorded."); });
connect();
