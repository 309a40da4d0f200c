#pragma once
// A notice on the desktop through the freedesktop notification service (a bubble that names a
// finished plot when no window of ours is left to say it). Desktops without the service, or
// sessions without a bus, simply get none: the notice is a courtesy, never an error.

#include <QString>

class QDBusConnection;

struct DesktopNotice {
    QString summary;  // one line: what happened ("Plot delivered")
    QString body;     // what and where ("drawing.svg to the shared folder /srv/plots")
    QString icon;     // an icon name of the theme, or empty
};

// True when the session's notification service took the notice; false, quietly, when the
// session has no bus, no such service runs, or it did not answer in time.
bool ShowDesktopNotice(const DesktopNotice& notice);
// The same on a given bus (tests bring a bus of their own).
bool ShowDesktopNotice(const DesktopNotice& notice, const QDBusConnection& bus);
