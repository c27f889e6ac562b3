"""A fresh Xvfb display for a benchmark that measures the program beside its X server."""
import contextlib
import os
import shutil
import subprocess


@contextlib.contextmanager
def x_display():
    """The environment of a program on a fresh Xvfb display, or an empty one where Xvfb is missing."""
    if not shutil.which("Xvfb"):
        yield {}
        return
    readable, writable = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(writable), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp"], pass_fds=(writable,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(writable)
    with os.fdopen(readable) as announced:
        display = announced.readline().strip()
    try:
        yield {"DISPLAY": ":" + display, "QT_QPA_PLATFORM": "xcb", "KOVA2_X_SERVER_PID": str(server.pid)} \
            if display else {}
    finally:
        server.terminate()
        server.wait()
