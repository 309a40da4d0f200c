#!/usr/bin/python3
# A session bus of a test's own (Debian's dbus-daemon), with the desktop's notification service
# on it (python3-dbus) when --serve is given.
#
#   /usr/bin/python3 tests/platform/notice_server.py [--serve]
#
# Prints "BUS <address>" once the bus, and the service, are ready; then "NOTICE <summary>\t<body>"
# for each notice the service takes. Exits, taking its bus along, when stdin closes.
import argparse
import os
import subprocess
import sys
import threading

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Notices(dbus.service.Object):
    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        print("NOTICE %s\t%s" % (summary, body), flush=True)
        return 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--serve", action="store_true")
    args = parser.parse_args()
    daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                              stdout=subprocess.PIPE, text=True)
    address = daemon.stdout.readline().strip()

    def watch_stdin():
        try:
            while sys.stdin.buffer.read(1):
                pass
        finally:
            daemon.kill()
            os._exit(0)

    threading.Thread(target=watch_stdin, daemon=True).start()
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    if args.serve:
        bus = dbus.bus.BusConnection(address)
        name = dbus.service.BusName(NAME, bus)  # held while the loop runs
        Notices(bus, "/org/freedesktop/Notifications")
    print("BUS " + address, flush=True)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
