"""Media players for the tests and the benchmark: mpv as an MPRIS player (Debian's mpv-mpris
plugin) on a session bus of their own (xsession.SessionBus), playing a looped test clip to no
window and no sound, driven through mpv's JSON IPC."""

import json
import os
import socket
import subprocess
import time

from xsession import end_process, spawn, wait_for

MPRIS_PLUGIN = "/usr/lib/mpv-mpris/mpris.so"


def clip_file(session):
    """A 2 s test picture in a file, made once a session. A file of fixed length, since mpv-mpris
    tells the bus of new metadata every second while the length of a stream of unknown length
    (lavfi's testsrc played directly) grows."""
    path = os.path.join(session.tmp, "clip.mkv")
    if not os.path.exists(path):
        subprocess.run(["mpv", "--no-config", "--no-terminal", "--ovc=ffv1", f"--o={path}",
                        "av://lavfi:testsrc=duration=2:size=64x48:rate=5"],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60, check=True)
    return path


class Player:
    """mpv, playing the test clip over and over to no window and no sound, an MPRIS player on the
    bus."""

    def __init__(self, session, env, name):
        self.session, self.env = session, env
        self.socket_path = os.path.join(session.tmp, f"{name}-{time.monotonic_ns()}.socket")
        self.process = spawn(["mpv", "--no-config", "--no-terminal", f"--script={MPRIS_PLUGIN}",
                              f"--input-ipc-server={self.socket_path}", "--vo=null", "--ao=null",
                              "--loop-file=inf", clip_file(session)],
                             env=env, stdin=subprocess.DEVNULL,
                             stdout=session.log_file(name), stderr=subprocess.STDOUT)
        self.requests = 0
        self.ipc = wait_for(self._connect, bool, 10, f"{name}'s IPC socket")
        self.ipc_lines = self.ipc.makefile("r")
        wait_for(self.mpris_status, lambda s: s == "Playing", 10, f"{name} playing on the bus")

    def _connect(self):
        if self.process.poll() is not None:
            raise AssertionError(f"mpv ended at start ({self.process.returncode})")
        connection = socket.socket(socket.AF_UNIX)
        try:
            connection.connect(self.socket_path)
            return connection
        except OSError:
            connection.close()
            return None

    def command(self, *command):
        """Sends one IPC command and waits for mpv's answer to it."""
        self.requests += 1
        message = {"command": list(command), "request_id": self.requests}
        self.ipc.sendall(json.dumps(message).encode() + b"\n")
        for line in self.ipc_lines:
            answer = json.loads(line)
            if answer.get("request_id") == self.requests:
                if answer.get("error") != "success":
                    raise AssertionError(f"mpv refused {command}: {answer}")
                return answer

    def pause(self, paused=True):
        self.command("set_property", "pause", paused)

    def quit(self):
        self.ipc.sendall(b'{"command": ["quit"]}\n')
        self.process.wait(timeout=10)

    def mpris_status(self):
        """This player's PlaybackStatus as playerctl reads it from the bus."""
        for name in self.run("playerctl", "--list-all").split():
            owner = self.run("dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                             "/org/freedesktop/DBus",
                             "org.freedesktop.DBus.GetConnectionUnixProcessID",
                             f"string:org.mpris.MediaPlayer2.{name}")
            if owner.split()[-1:] == [str(self.process.pid)]:
                return self.run("playerctl", f"--player={name}", "status").strip()
        return None

    def run(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, text=True,
                              timeout=10).stdout

    def stop(self):
        self.ipc.close()
        end_process(self.process)
