#include "plotjob/send_result.h"

#include <QFile>
#include <QSaveFile>
#include <array>
#include <cstdio>

#include "plotjob/product_folder.h"

namespace {

constexpr std::array<const char*, 3> kEndWords = {"delivered", "stopped", "failed"};

QString ResultPath(const std::string& productFolder) {
    return QString::fromLocal8Bit(ProductFile(productFolder, product::kSendResult).c_str());
}

}  // namespace

bool WriteSendResult(const std::string& productFolder, const SendResult& result) {
    QSaveFile file(ResultPath(productFolder));
    if (!file.open(QIODevice::WriteOnly)) return false;
    QByteArray text = kEndWords[static_cast<size_t>(result.end)];
    // A destination is one line; a line break inside it would shift the words into it.
    QString destination = result.destination;
    destination.replace('\n', ' ');
    text += '\n' + destination.toUtf8() + '\n' + result.words.toUtf8() + '\n';
    return file.write(text) == text.size() && file.commit();
}

std::optional<SendResult> ReadSendResult(const std::string& productFolder) {
    QFile file(ResultPath(productFolder));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray end = file.readLine().trimmed();
    SendResult result;
    bool known = false;
    for (size_t i = 0; i < kEndWords.size(); ++i) {
        if (end == kEndWords[i]) {
            result.end = static_cast<SendEnd>(i);
            known = true;
        }
    }
    if (!known) return std::nullopt;
    result.destination = QString::fromUtf8(file.readLine());
    if (result.destination.endsWith('\n')) result.destination.chop(1);
    result.words = QString::fromUtf8(file.readAll());
    if (result.words.endsWith('\n')) result.words.chop(1);
    return result;
}

void ForgetSendResult(const std::string& productFolder) {
    std::remove(ProductFile(productFolder, product::kSendResult).c_str());
}

QString ReasonOnOneLine(const std::optional<SendResult>& result) {
    if (!result || result->end == SendEnd::Delivered) return {};
    QString words = result->words;
    words.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return words.trimmed();
}
