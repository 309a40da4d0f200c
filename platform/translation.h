#pragma once
// One language at a time: Japanese in a Japanese session, English in any other. The windows
// and the sender are written in Japanese and i18n/trazen_en.ts gives their English; trzn-plot's
// words and the notes of a drawing's reading are written in English (a command's words are the
// ones scripts and reports quote) and i18n/trazen_ja.ts gives their Japanese. Each program loads
// the one file its session needs; the two never share a context.

class QCoreApplication;
class QLocale;

// Installs the session's texts. Call before any window is made. The system's reasons (strerror)
// follow the same language where the C library has them.
void InstallTranslations(QCoreApplication& app);

// The same for the given desktop language (the system's reasons stay as they are). It replaces
// what an earlier call installed, so it may be called again to switch. Returns whether the
// English texts are in use.
bool InstallTranslations(QCoreApplication& app, const QLocale& desktop);
