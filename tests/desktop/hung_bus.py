#!/usr/bin/env python3
"""A D-Bus session bus that has hung: it accepts every connection and never answers.

Listens on a Unix socket in a folder of its own, prints the bus address (unix:path=...) on one
line once it accepts connections, and keeps every connection open without reading or writing
until it is ended (SIGTERM, SIGINT or SIGHUP). The folder is removed as it ends.
Usage: hung_bus.py
"""

import os
import selectors
import shutil
import signal
import socket
import sys
import tempfile


def main():
    folder = tempfile.mkdtemp(prefix="hung-bus-")
    path = os.path.join(folder, "bus")
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    connections = []

    def end(_signal, _frame):
        raise SystemExit(0)

    for kind in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(kind, end)
    try:
        listener.bind(path)
        listener.listen(64)
        print("unix:path=" + path, flush=True)
        watch = selectors.DefaultSelector()
        watch.register(listener, selectors.EVENT_READ)
        while True:
            for _key, _events in watch.select():
                connection, _address = listener.accept()
                # Held, never read: the client's authentication waits for an answer that never comes.
                connections.append(connection)
    finally:
        for connection in connections:
            connection.close()
        listener.close()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
