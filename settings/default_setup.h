#pragma once
// The setup a program starts from while there is no settings file: the usual sheets and rolls,
// A3, millimetres, eight numbered pens in colour, every page, a 9600 baud 8N1 line with RTS/CTS
// and line optimisation. Every destination but the plotter's own needs a choice only the user
// can make, so the default setup chooses none: it is written as the settings file on first use
// and still tells a later program that nobody has said where plots go.

#include <string>

#include "settings/records.h"

// Where the installed default setup lives under each data folder (/usr/share, ...): a settings
// file as TRZNSerConfig.ini holds it, which a site may edit for its own plotters.
inline constexpr char kDefaultSetupFile[] = "trazen/TRZNSerConfig.ini";

// The installed default setup when one can be read, else the one built into the programs.
// The completion status, the preset name and the status record are those of a fresh file.
void DefaultSetup(RecordSet* records);

// The setup built into the programs, which the installed file copies byte for byte.
void BuiltInSetup(RecordSet* records);

// The path of the installed default setup; empty when there is none.
std::string InstalledSetupPath();

// False while the stored destination is the default setup's "none chosen": no port name and
// no position. Files of earlier versions always hold a position.
bool DestinationChosen(const TSrConfig& serial);
inline constexpr int16_t kNoPortChosen = -1;
