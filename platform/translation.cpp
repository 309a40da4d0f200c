#include "platform/translation.h"

#include <langinfo.h>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>
#include <cstdlib>
#include <cstring>

namespace {

// Marks the translators installed here, so that a later call can take them out again.
constexpr char kOwnTranslator[] = "trzn-translation";

void RemoveOwnTranslators(QCoreApplication& app) {
    const auto installed =
        app.findChildren<QTranslator*>(QLatin1String(kOwnTranslator), Qt::FindDirectChildrenOnly);
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
        Install(app, [](QTranslator& t) { return t.load(QStringLiteral(":/i18n/trazen_ja.qm")); });
        // Qt's own texts (a line edit's context menu, the folder chooser) in Japanese too, when
        // the system has Qt's translations; without them they stay English.
        Install(app, [](QTranslator& t) {
            return t.load(QLocale(QLocale::Japanese), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        });
        return false;
    }
    return true;
}

namespace {

// A Japanese session whose locale is not installed runs the C library in "C", which gives its
// reasons in English though it has them in Japanese: C.UTF-8 with LANGUAGE=ja gives them. The
// environment passes it on, so a program started from here says them alike.
void JapaneseSystemReasons() {
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (messages && std::strncmp(messages, "ja", 2) == 0) return;
    const char* language = std::getenv("LANGUAGE");
    if (language && std::strncmp(language, "ja", 2) != 0 && *language != '\0') return;
    if (!std::setlocale(LC_MESSAGES, "C.UTF-8")) return;
    if (!language || *language == '\0') setenv("LANGUAGE", "ja", 1);
    // In "C" the library would turn the Japanese into question marks; the texts are UTF-8.
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}

}  // namespace

void InstallTranslations(QCoreApplication& app) {
    InstallTranslations(app, QLocale::system());
    if (MessageLanguage(QLocale::system()) == QLocale::Japanese) JapaneseSystemReasons();
}
