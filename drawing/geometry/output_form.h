#pragma once
// How a plot body is written for the plotter at hand: its step, how long a PD instruction it
// takes, and the device commands around the body. Decoded from the records with the other
// options (stages/plot_options.cpp); only the writer reads it.

#include <string>

struct OutputForm {
    int stepsPerInch = 1016;  // HP-GL's own 0.025 mm: coordinates written as they are
    bool limitPd = false;     // no PD instruction beyond pdPairs pairs or pdBytes bytes
    int pdPairs = 0;
    int pdBytes = 0;
    std::string header, footer;  // device commands as bytes, escapes already decoded
};
