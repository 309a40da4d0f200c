#!/usr/bin/python3
# A loopback FTP server for tests (Debian's python3-pyftpdlib).
#
#   /usr/bin/python3 tests/platform/ftp_server.py --user-dir DIR --anon-dir DIR \
#       [--user NAME --password PASS] [--read-limit BYTES_PER_SECOND] [--keep-files]
#
# Listens on 127.0.0.1 on a free port and prints "PORT <n>" on its first stdout line once it
# accepts connections. The named user (default "plot" / "secret") logs in to --user-dir, anyone
# else anonymously to --anon-dir, both with write access (and delete access, unless
# --keep-files: a print server that refuses DELE). A refused login answers at once
# (no 3 s penalty). The server exits when its stdin closes, so a crashed test leaves no server
# behind: start it with a pipe on stdin (the C++ fixture in ftp_fixture.h does all of this).
import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--user-dir", required=True)
    parser.add_argument("--anon-dir", required=True)
    parser.add_argument("--user", default="plot")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--read-limit", type=int, default=0)  # a slow print server
    parser.add_argument("--keep-files", action="store_true")
    args = parser.parse_args()
    perm = "elrafmwMT" if args.keep_files else "elradfmwMT"

    logging.basicConfig(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.user_dir, perm=perm)
    authorizer.add_anonymous(args.anon_dir, perm=perm)

    handler = FTPHandler
    handler.authorizer = authorizer
    handler.auth_failed_timeout = 0.01
    handler.banner = "test server ready"
    if args.read_limit > 0:
        dtp = ThrottledDTPHandler
        dtp.read_limit = args.read_limit
        handler.dtp_handler = dtp

    server = FTPServer(("127.0.0.1", 0), handler)
    port = server.socket.getsockname()[1]

    def watch_stdin():
        try:
            while sys.stdin.buffer.read(1):
                pass
        finally:
            os._exit(0)

    threading.Thread(target=watch_stdin, daemon=True).start()
    sys.stdout.write("PORT %d\n" % port)
    sys.stdout.flush()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
