#pragma once
// The pen-down limit as the serial record packs it (pdlmopt): flag << 24 | A << 16 | L, where
// a plotter with a small buffer gets no PD instruction of more than A coordinate pairs or L
// bytes. Packed and unpacked here only: the window, the plot and the default setup share it.

#include <algorithm>
#include <cstdint>

inline constexpr int64_t kPdPairsMost = 180, kPdBytesMost = 9999;

struct Pdlm {
    bool flag;
    int64_t a;  // pairs
    int64_t l;  // bytes
    friend bool operator==(const Pdlm&, const Pdlm&) = default;
};

// The fields as stored, unchecked: what the window shows.
constexpr Pdlm UnpackPdlmopt(int64_t packed) {
    return {((packed >> 24) & 0xFF) != 0, (packed >> 16) & 0xFF, packed & 0xFFFF};
}

// The limits held to what a plotter can be given: 1..180 pairs, 1..9999 bytes.
constexpr Pdlm HeldPdlm(Pdlm pd) {
    return {pd.flag, std::clamp<int64_t>(pd.a, 1, kPdPairsMost),
            std::clamp<int64_t>(pd.l, 1, kPdBytesMost)};
}

// Packs the typed values, held as HeldPdlm holds them.
constexpr int64_t PackPdlmopt(bool flag, int64_t a, int64_t l) {
    const Pdlm held = HeldPdlm({flag, a, l});
    return (flag ? int64_t{1} << 24 : 0) + (held.a << 16) + held.l;
}

// What the window shows for a file without limits: off, 30 pairs, 512 bytes.
inline constexpr int64_t kDefaultPdlmopt = PackPdlmopt(false, 30, 512);
static_assert(kDefaultPdlmopt == 0x1E0200, "the settings file's default pdlmopt");
