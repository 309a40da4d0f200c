#pragma once
// The translation context of every text trzn-plot says itself (tools/plot_words.h), and how
// those texts and the names in them become its messages: local 8-bit text, as the terminal and
// the caller decode them; names stay the bytes given.

#include <QCoreApplication>
#include <QString>
#include <cstring>
#include <string>

struct TPlotWords {
    Q_DECLARE_TR_FUNCTIONS(TPlotWords)
};

namespace plot_words {

inline std::string Said(const QString& text) { return text.toLocal8Bit().toStdString(); }
inline QString Shown(const std::string& path) { return QString::fromLocal8Bit(path); }
inline QString Reason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

}  // namespace plot_words
