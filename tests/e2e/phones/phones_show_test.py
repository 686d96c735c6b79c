#!/usr/bin/env python3
"""Votes follow the show: LibreOffice Impress on an X server of the test's own,
the serving controller attached to it. The show comes to the demo's voting
slide 2: its VOTE shape's question opens for the phones; a phone answers over
the HTTP API; "NextSlide,2" closes the vote (recorded with slide 2) and moves
the show to slide 3, whose question opens in turn. Skips (77) when the office
or Xvfb is missing. Every process started here is ended by its id.

    phones_show_test.py TLXCTRL SOFFICE_BIN DEMO_DIR
"""
import json
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import urllib.request

SKIP = 77


def wait_for(condition, seconds, what, log=None):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return
        time.sleep(0.25)
    text = open(log, encoding="utf-8").read() if log and os.path.exists(log) else ""
    raise AssertionError("gave up waiting for " + what + ("; the controller's log:\n" + text if text else ""))


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    tlxctrl, office, demo = (os.path.abspath(a) for a in sys.argv[1:4])
    if not os.path.exists(office) or not shutil.which("Xvfb"):
        print("skipped: the office or Xvfb is not installed")
        return SKIP
    tmp = tempfile.mkdtemp(prefix="talvix-phones-show-")
    data = os.path.join(tmp, "data")
    shutil.copytree(demo, data)
    for name in ("votes.rec", "response.rec"):
        os.remove(os.path.join(data, name))
    pipe = "talvix_phones_show_%d" % os.getpid()
    os.makedirs(os.path.join(tmp, "profile", "user"))
    # A fresh profile listening on the test's pipe; the folder is trusted, so
    # the office opens the presentation without a macro warning.
    with open(os.path.join(tmp, "profile", "user", "registrymodifications.xcu"), "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?><oor:items xmlns:oor="http://openoffice.org/2001/registry">'
                '<item oor:path="/org.openoffice.Setup/Office"><prop oor:name="ooSetupConnectionURL" oor:op="fuse">'
                '<value>pipe,name=%s;urp;</value></prop></item>'
                '<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="SecureURL" '
                'oor:op="fuse"><value><it>file://%s</it></value></prop></item></oor:items>\n' % (pipe, data))
    started = []
    try:
        read_fd, write_fd = os.pipe()
        # -noreset: the server must not reset when the office's first start
        # (exit code 81) leaves it without clients, or the second start
        # cannot open the display.
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                                 "-noreset"], pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        started.append(xvfb)
        os.close(write_fd)
        number = b""
        while not number.endswith(b"\n"):  # written once the server accepts clients
            chunk = os.read(read_fd, 16)
            if not chunk:
                raise AssertionError("Xvfb did not start")
            number += chunk
        display = ":" + number.decode().strip()
        os.close(read_fd)
        env = dict(os.environ, DISPLAY=display, SAL_USE_VCLPLUGIN="gen")
        env.pop("QT_QPA_PLATFORM", None)
        office_args = [office, "-env:UserInstallation=file://" + os.path.join(tmp, "profile"), "--norestore",
                       "--nolockcheck", "--nologo", os.path.join(data, "quiznight.fodp")]
        started.append(subprocess.Popen(office_args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        log = os.path.join(tmp, "controller.log")
        controller = subprocess.Popen(
            [tlxctrl, "--serve", "127.0.0.1:0", "--impress", "pipe,name=" + pipe, "--start-show", "2", "--socket",
             os.path.join(tmp, "controller.sock"), "--log", log, "--join-code", "135790"],
            cwd=data, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        started.append(controller)

        restarts = [0]

        def logged(text):
            # A new profile makes the office start once more (exit code 81).
            if started[1].poll() == 81 and restarts[0] < 2:
                restarts[0] += 1
                started[1] = subprocess.Popen(office_args, env=env, stdout=subprocess.DEVNULL,
                                              stderr=subprocess.DEVNULL)
            return os.path.exists(log) and text in open(log, encoding="utf-8").read()

        url_file = os.path.join(tmp, "talvix_presenter_url")
        wait_for(lambda: os.path.exists(url_file), 20, "the controller to serve")
        base = open(url_file).read().split("/presenter")[0]

        def api(path, body=None, token=None):
            request = urllib.request.Request(base + path, data=json.dumps(body).encode() if body is not None else None,
                                             headers={"Authorization": "Bearer " + token} if token else {},
                                             method="POST" if body is not None else "GET")
            with urllib.request.urlopen(request) as answer:
                return json.load(answer)

        token = api("/api/join", {"code": "135790", "name": "Ann"})["token"]
        wait_for(lambda: logged("phones: vote 1 opened: q1.tlx"), 200, "the show's slide 2 to open q1.tlx", log)
        assert api("/api/state", token=token)["vote"]["options"] == ["Mercury", "Venus", "Earth", "Jupiter"]
        api("/api/answer", {"vote": 1, "answer": "4"}, token)

        link = socket.socket(socket.AF_UNIX)
        link.connect(os.path.join(tmp, "controller.sock"))
        link.sendall(struct.pack(">I", 11) + b"NextSlide,2")
        wait_for(lambda: logged("phones: vote 2 opened: q2.tlx"), 60, "slide 3 to open q2.tlx", log)
        link.close()
        text = open(log, encoding="utf-8").read()
        assert text.index("vote 1 closed and recorded") < text.index("moved the show on from slide 2 to slide 3"), text
        with open(os.path.join(data, "votes.rec"), encoding="utf-8") as f:
            fields = f.read().splitlines()[0].split(",")
        assert fields[1:4] == ["2", "1", '"-;-;-;-;-;-;-;-;4;"'], fields
    finally:
        for process in reversed(started):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(tmp, ignore_errors=True)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
