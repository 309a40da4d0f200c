// Linked into the tests that read the windows' and the sender's texts in Japanese: every test
// of such a program runs as in a Japanese session, with the translation the program would load.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

#include "platform/translation.h"

namespace {

class JapaneseSession : public testing::Environment {
public:
    void SetUp() override {
        InstallTranslations(*QCoreApplication::instance(), QLocale(QLocale::Japanese));
    }
};

const testing::Environment* const kSession = testing::AddGlobalTestEnvironment(new JapaneseSession);

}  // namespace
