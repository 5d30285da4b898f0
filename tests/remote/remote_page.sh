#!/usr/bin/env bash
# The remote page in a real browser: a headless chromium, driven over its
# DevTools pipe, opens the page with a wrong token and sees it refused, then
# with the right token in the address, waits until it shows the show
# playing, clicks Freeze, and waits until the page shows the show frozen.
# The fake show behind the server must have been told to freeze, and
# nothing else.
#   remote_page.sh <remote_page_server>
# Exits 77 (skipped) when there is no chromium or python3.
set -euo pipefail

server_program=$1
chromium=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$chromium" ] || ! command -v python3 >/dev/null; then
  echo "no chromium or python3: skipped"
  exit 77
fi

work=$(mktemp -d)
server_pid=
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

token=$(head -c 16 /dev/urandom | od -An -tx1 | tr -d ' \n')
"$server_program" "$token" "$work/calls" >"$work/port" &
server_pid=$!
for _ in $(seq 100); do
  [ -s "$work/port" ] && break
  sleep 0.1
done
port=$(head -n1 "$work/port")
[ -n "$port" ] || { echo "the server gave no port"; exit 1; }

sandbox=()
if [ "$(id -u)" -eq 0 ]; then
  sandbox=(--no-sandbox)
fi

python3 - "$chromium" "http://127.0.0.1:$port/#token=$token" "$work/profile" "${sandbox[@]}" <<'PY'
import json, os, subprocess, sys, time

chromium, url, profile = sys.argv[1:4]
extra = sys.argv[4:]
# The DevTools pipe: chromium reads commands on fd 3 and writes answers on
# fd 4, each message ending in a NUL byte.
to_chromium_r, to_chromium_w = os.pipe()
from_chromium_r, from_chromium_w = os.pipe()

def pipes():
    os.dup2(to_chromium_r, 3)
    os.dup2(from_chromium_w, 4)

browser = subprocess.Popen(
    [chromium, "--headless", "--remote-debugging-pipe", "--disable-gpu",
     "--no-first-run", "--user-data-dir=" + profile, *extra, "about:blank"],
    preexec_fn=pipes, pass_fds=(3, 4), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
os.close(to_chromium_r)
os.close(from_chromium_w)
reader = os.fdopen(from_chromium_r, "rb")
pending = b""
next_id = 0

def send(method, params=None, session=None):
    global next_id, pending
    next_id += 1
    message = {"id": next_id, "method": method, "params": params or {}}
    if session:
        message["sessionId"] = session
    os.write(to_chromium_w, json.dumps(message).encode() + b"\0")
    while True:
        while b"\0" not in pending:
            chunk = reader.read1(65536)
            if not chunk:
                sys.exit("chromium closed its pipe")
            pending += chunk
        raw, pending = pending.split(b"\0", 1)
        answer = json.loads(raw)
        if answer.get("id") == next_id:
            if "error" in answer:
                sys.exit("%s failed: %s" % (method, answer["error"]))
            return answer["result"]

def evaluate(session, expression):
    result = send("Runtime.evaluate", {"expression": expression, "returnByValue": True}, session)
    return result["result"].get("value")

def wait_for(session, expression, wanted):
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        value = evaluate(session, expression)
        if value == wanted:
            return
        time.sleep(0.1)
    sys.exit("the page never showed %r (last %r)" % (wanted, value))

def open_page(address):
    target = send("Target.createTarget", {"url": address})["targetId"]
    return target, send("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]

try:
    # A wrong token is refused: the page asks for one and forgets the wrong one.
    wrong, session = open_page(url.split("#")[0] + "#token=wrong")
    wait_for(session, "document.getElementById('login').hidden", False)
    if evaluate(session, "localStorage.length") != 0:
        sys.exit("the page kept a token that was refused")
    send("Target.closeTarget", {"targetId": wrong})

    target, session = open_page(url)
    state = "(document.body.dataset.state || '')"
    wait_for(session, state, "playing")
    if evaluate(session, "document.getElementById('login').hidden") is not True:
        sys.exit("the page asked for the token it was given")
    if "token" in evaluate(session, "location.href"):
        sys.exit("the token stayed in the address")
    evaluate(session, "document.getElementById('freeze').click()")
    wait_for(session, state, "frozen")
    # The token was kept: a reload needs no form.
    send("Page.reload", {}, session)
    wait_for(session, state + " + ':' + document.getElementById('login').hidden", "frozen:true")
    os.write(to_chromium_w, json.dumps({"id": 0, "method": "Browser.close"}).encode() + b"\0")
finally:
    try:
        browser.wait(timeout=10)
    except subprocess.TimeoutExpired:
        browser.kill()
        browser.wait()
PY

for _ in $(seq 40); do
  [ -s "$work/calls" ] && break
  sleep 0.1
done
calls=$(cat "$work/calls" 2>/dev/null || true)
if [ "$calls" != "freeze" ]; then
  echo "the show was told: '$calls', not freeze"
  exit 1
fi
echo "the page froze the show"
