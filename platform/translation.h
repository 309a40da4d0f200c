#pragma once
// One language at a time: Japanese in a Japanese session, English in any other. Every text is
// written in English (a command's words are the ones scripts and reports quote) and
// i18n/trazen_ja.ts gives their Japanese, so an English session loads nothing.

class QCoreApplication;
class QLocale;

// Installs the session's texts. Call before any window is made. The system's reasons (strerror)
// follow the same language where the C library has them.
void InstallTranslations(QCoreApplication& app);

// The same for the given desktop language (the system's reasons stay as they are). It replaces
// what an earlier call installed, so it may be called again to switch. Returns whether the
// texts stay English.
bool InstallTranslations(QCoreApplication& app, const QLocale& desktop);
