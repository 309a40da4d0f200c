#pragma once
// The windows speak Japanese; on a desktop in any other language they speak English.

class QCoreApplication;
class QLocale;

// Installs the English texts unless the desktop's language is Japanese. Call before any window
// is made.
void InstallTranslations(QCoreApplication& app);

// The same for the given desktop language. It replaces what an earlier call installed, so it may
// be called again to switch. Returns whether the English texts are in use.
bool InstallTranslations(QCoreApplication& app, const QLocale& desktop);
