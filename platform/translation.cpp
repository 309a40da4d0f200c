#include "platform/translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

void InstallTranslations(QCoreApplication& app) {
    if (QLocale::system().language() == QLocale::Japanese) return;
    auto* english = new QTranslator(&app);
    if (english->load(QStringLiteral(":/i18n/trazen_en.qm"))) {
        QCoreApplication::installTranslator(english);
    } else {
        delete english;
    }
}
