#pragma once
// What the panel says when a delivery fails: what went wrong, why, and the fix where one is
// known, in the user's words rather than the system's.

#include <QString>
#include <cstdint>
#include <string>

#include "platform/file_transfer.h"
#include "platform/print_queue.h"
#include "sender/plot_file.h"

QString SerialOpenFailureText(const QString& device, int err);
QString SerialWriteFailureText(const QString& device, int err);
// A plotter paced by its own answers gave none (or one that is no number) to question: it
// does not answer on this line, and another flow control is the way out. sent of total bytes
// had gone out.
QString PlotterUnansweredText(const QString& device, const QString& question, bool notANumber,
                              const QString& answer, int64_t sent, int64_t total);
QString SharedFolderFailureText(const DeliveryResult& result, const QString& target);
QString FtpFailureText(const DeliveryResult& result, const QString& server);
QString OutputFileFailureText(const QString& path, int err);
// The framed plot could not be made whole in folder (the product folder); nothing is sent.
QString PlotFileFailureText(const QString& folder, const PlotFileResult& result);

// The completion status could not be written to the settings file (why: the system's words).
QString StatusFailureText(const QString& settingsFile, const std::string& why);

// A printer queue: the job could not be handed over, the job ended without being done, and
// what the job is waiting for.
QString QueueSubmitFailureText(const QueueSubmitResult& result, const QString& queue);
QString QueueJobFailureText(const QueueJobStatus& status, const QString& queue, int job);
QString QueueJobWaitingText(QueueJobState state, const QString& queue, int job);
