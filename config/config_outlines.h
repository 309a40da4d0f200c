#pragma once
// The choice of the options tab between plotting what the drawing shows and every outline, kept
// in its own file beside the settings file (settings/outline_file.h) as the knife's settings are:
// shown from that file when the window opens, written on OK with the settings, left as it is on
// Cancel; presets don't hold it.

#include <string>

namespace Ui {
class trznConfigModal;
}

class TRZN_ConfigOutlines {
public:
    explicit TRZN_ConfigOutlines(Ui::trznConfigModal& ui) : _ui(ui) {}

    // The file into the control; an absent or unusable file shows the default (what the drawing
    // shows), which OK then writes.
    void Fill();
    bool Read() const;  // every outline
    // Writes what the control shows; false, with the reason in *error, when it can't, leaving
    // the file as it was.
    bool Save(std::string* error) const;

private:
    Ui::trznConfigModal& _ui;
};
