#pragma once
// The colours a pen can have in the configuration window, as the pen records store them: one
// table for the window's pop-ups, the default setup and their tests.

#include <array>
#include <cstdint>

struct PenColour {
    int16_t red;
    int16_t green;
    int16_t blue;
    int16_t fcolor;
};
inline constexpr int kColourItemCount = 10;
inline constexpr int kColourNoColour = 9;
// The colours that are real ones (black to white); the rest of the table stores no colour.
inline constexpr int kRealColourCount = 8;

// Item i of every pen colour pop-up stores kPenColours[i].
inline constexpr std::array<PenColour, kColourItemCount> kPenColours = {{
    {0, 0, 0, 1},              // black
    {10000, 0, 0, 1},          // red
    {0, 10000, 0, 1},          // green
    {0, 0, 10000, 1},          // blue
    {10000, 10000, 0, 1},      // yellow
    {10000, 0, 10000, 1},      // magenta
    {0, 10000, 10000, 1},      // cyan
    {10000, 10000, 10000, 1},  // white
    {0, 0, 0, 0},              // placeholder, stored as no colour
    {0, 0, 0, 0},              // no colour
}};
