#pragma once
// The windows speak Japanese; on a desktop in any other language they speak English.

class QCoreApplication;

// Installs the English texts unless the desktop's language is Japanese. Call before any window
// is made.
void InstallTranslations(QCoreApplication& app);
