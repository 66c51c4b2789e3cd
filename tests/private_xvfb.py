"""A private Xvfb for the tests that drive a real game window. The display number comes back
through -displayfd, so parallel runs never share a server."""
import os
import select
import subprocess
import time


class XvfbError(Exception):
    pass


class PrivateXvfb:
    def __init__(self, screen, log_path, server_args=()):
        """server_args are added to Xvfb's command line (e.g. "-fp", "built-ins")."""
        self.log = open(log_path, "w")
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-noreset",
             "-nolisten", "tcp", *server_args],
            pass_fds=(write_end,), stdout=self.log, stderr=subprocess.STDOUT)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 10
        while not number.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([read_end], [], [], left)[0]:
                break
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        if not number.strip().isdigit():
            self.close()
            raise XvfbError(f"Xvfb did not start (screen {screen}); see {log_path}")
        self.name = ":" + number.decode().strip()

    def close(self):
        if self.server.poll() is None:
            self.server.terminate()
            try:
                self.server.wait(5)
            except subprocess.TimeoutExpired:
                self.server.kill()
                self.server.wait()
        self.log.close()
