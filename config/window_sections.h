#pragma once
// The configuration window's controls to and from the records, a section at a time: what
// SetupItems fills and SetdownItems reads, in the order they do it. Each Fill corrects the
// records the way loading always has (a pen without a number becomes pen 13, ...).

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstring>

#include "settings/records.h"
#include "settings/utility.h"

namespace Ui {
class trznConfigModal;
}
class QComboBox;

inline constexpr int kTextLimit = 127;     // ipaddr, prheader, prfooter, shared_folder
inline constexpr int kPortNameLimit = 79;  // port_name

QString SjisToQStringField(const std::string& field);

// Record text fields are fixed-size buffers; never read past them even without a NUL.
template <size_t N>
QString SjisField(const char (&field)[N]) {
    return SjisToQStringField(FieldText(field));
}

template <size_t N>
QString Utf8Field(const char (&field)[N]) {
    return QString::fromStdString(FieldText(field));
}

template <size_t N>
void StoreBytes(char (&field)[N], const QByteArray& bytes) {
    const size_t n = std::min(static_cast<size_t>(bytes.size()), N - 1);
    std::memset(field, 0, N);
    std::memcpy(field, bytes.constData(), n);
}

// A pop-up without a selection (a stored index beyond its items) leaves its field as loaded
// rather than storing -1.
void StoreItem(const QComboBox* menu, int16_t& field, int offset = 0);

// The margin unit pop-ups, the twelve margins and the roll length.
void FillMargins(Ui::trznConfigModal& ui, const TPrConfig& cf);
void ReadMargins(const Ui::trznConfigModal& ui, TPrConfig& cf);
// Sort order, the switches and the tool numbers (reading takes the Z-cut numbers too).
void FillSwitches(Ui::trznConfigModal& ui, const TPrConfig& cf);
void ReadSwitches(const Ui::trznConfigModal& ui, TPrConfig& cf);
// The Z-cut numbers, the network, the header and footer, the shared folder.
void FillTexts(Ui::trznConfigModal& ui, const TPrConfig& cf, TSrConfig& sr);
void ReadTexts(const Ui::trznConfigModal& ui, TSrConfig& sr);
// The plotter's pop-ups, the serial line and the pen-down limit (the port is the destination
// section's).
void FillLine(Ui::trznConfigModal& ui, TPrConfig& cf, TSrConfig& sr);
void ReadLine(const Ui::trznConfigModal& ui, TPrConfig& cf, TSrConfig& sr);
// The ten pens: number, colour and thickness.
void FillPens(Ui::trznConfigModal& ui, TPrConfig& cf);
void ReadPens(const Ui::trznConfigModal& ui, TPrConfig& cf);
