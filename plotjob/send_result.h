#pragma once
// How the sender's last run ended, left beside the completion status for whoever started it
// (trzn-plot). The status in the settings file keeps its own three values for the plug-in; this
// file adds what only the sender knows: where the plot went and, when it did not, why, in the
// user's language. UTF-8 text: the end on the first line, the destination on the second, the
// words shown in the sender's window on the lines after.

#include <QString>
#include <optional>
#include <string>

enum class SendEnd { Delivered, Stopped, Failed };

struct SendResult {
    SendEnd end = SendEnd::Failed;
    QString destination;  // as the window named it ("共有フォルダ /srv/plots")
    QString words;        // the closing words, or the reason it failed (may span lines)
};

// Replaced whole, never seen half written; false when the folder refuses it.
bool WriteSendResult(const std::string& productFolder, const SendResult& result);
// Nothing when no run has left one since the last ForgetSendResult, or it can't be read.
std::optional<SendResult> ReadSendResult(const std::string& productFolder);
// At a run's start: a sender killed before its end must not leave an earlier plot's result.
void ForgetSendResult(const std::string& productFolder);
// Why a run that was not delivered ended, in the sender's own words on one line (its window
// breaks them where a terminal would not); empty for a delivered run, or one that left none.
QString ReasonOnOneLine(const std::optional<SendResult>& result);
