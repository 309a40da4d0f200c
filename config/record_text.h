#pragma once
// Whether a typed text can go into a text field of the records and come back as typed: the
// settings file keeps a text between double quotes on one line, and the record holds a fixed
// number of bytes in Shift-JIS (or UTF-8 for the shared folder). A text that fails would be cut
// or changed on the way, and a changed folder, address or password sends plots elsewhere.

#include <QString>

enum class RecordEncoding { ShiftJIS, UTF8 };

enum class RecordTextFault {
    None,
    Quote,       // '"' ends the quoted value early: the next load drops it
    Control,     // tabs, line breaks and the like break the file's lines
    NoShiftJis,  // a character with no Shift-JIS form ends the stored text
    TooLong,     // more bytes than the record holds
};

struct RecordTextCheck {
    RecordTextFault fault = RecordTextFault::None;
    QString character;  // the first refused character (Quote, Control, NoShiftJis)
    int bytes = 0;      // bytes the text takes in the record's encoding
};

// The first fault of the text, character faults before length. A character without a Shift-JIS
// form counts two bytes, so that the length is never understated.
RecordTextCheck CheckRecordText(const QString& text, RecordEncoding encoding, int maxBytes);
