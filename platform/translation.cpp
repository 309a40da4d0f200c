#include "platform/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Marks the translators installed here, so that a later call can take them out again.
constexpr char kOwnTranslator[] = "trzn-translation";

void RemoveOwnTranslators(QCoreApplication& app) {
    const auto installed = app.findChildren<QTranslator*>(QLatin1String(kOwnTranslator),
                                                          Qt::FindDirectChildrenOnly);
    for (QTranslator* translator : installed) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

template <typename Load>
bool Install(QCoreApplication& app, Load load) {
    auto* translator = new QTranslator(&app);
    translator->setObjectName(QLatin1String(kOwnTranslator));
    if (load(*translator) && QCoreApplication::installTranslator(translator)) return true;
    delete translator;
    return false;
}

// The language the desktop wants its messages in: LANGUAGE and LC_MESSAGES may differ from the
// locale used for numbers, and they are what the user chose for texts.
QLocale::Language MessageLanguage(const QLocale& desktop) {
    const QStringList wanted = desktop.uiLanguages();
    return wanted.isEmpty() ? desktop.language() : QLocale(wanted.front()).language();
}

}  // namespace

bool InstallTranslations(QCoreApplication& app, const QLocale& desktop) {
    RemoveOwnTranslators(app);
    if (MessageLanguage(desktop) == QLocale::Japanese) {
        // Qt's own texts (a line edit's context menu, the folder chooser) in Japanese too, when
        // the system has Qt's translations; without them they stay English.
        Install(app, [](QTranslator& t) {
            return t.load(QLocale(QLocale::Japanese), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        });
        return false;
    }
    return Install(app, [](QTranslator& t) { return t.load(QStringLiteral(":/i18n/trazen_en.qm")); });
}

void InstallTranslations(QCoreApplication& app) { InstallTranslations(app, QLocale::system()); }
