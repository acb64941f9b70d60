"""Runs a Windows test program under Wine on an X display of its own, with openbox, since Wine makes
no window without a display: python3 run_on_x.py PROGRAM [ARGUMENTS...]. Its status is the
program's."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from xsession import WinePrefix, XSession  # noqa: E402


def main(program, *arguments):
    session = XSession(name="coverstrip-win32")
    session.start()
    prefix = WinePrefix(os.environ["COVERSTRIP_WINEPREFIX"], session)
    try:
        prefix.open()
        return subprocess.run(["wine", program, *arguments], env=prefix.env(),
                              stdin=subprocess.DEVNULL, timeout=180).returncode
    finally:
        prefix.close()
        session.stop()


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
