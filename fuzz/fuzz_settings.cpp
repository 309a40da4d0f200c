// Any byte sequence must load without crash, overrun or undefined behaviour, and what the
// store then writes must load again to the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/records.h"
#include "settings/store.h"

namespace {

struct Loaded {
    RecordSet rec;
    tPldStatRes stat{};
    char preset[kPresetNameSize]{};

    void Load(const char* data, size_t size) {
        ClearRecords(rec.print.get(), rec.paper.get(), rec.config.get(), rec.serial.get());
        *rec.refCon = 0;
        stat = tPldStatRes{};
        stat.plstVersion = kDefaultStatVersion;
        preset[0] = '\0';
        LoadPrefarenceBytes(data, size, rec.print.get(), rec.paper.get(), rec.config.get(),
                            rec.serial.get(), rec.refCon.get(), preset, &stat);
    }
    std::string Format(PrintLines lines) const {
        return FormatPrefarence(rec.print.get(), rec.paper.get(), rec.config.get(),
                                rec.serial.get(), rec.refCon.get(), preset, &stat, lines);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Loaded first;
    static Loaded second;
    first.Load(reinterpret_cast<const char*>(data), size);
    const PrintLines lines = size % 2 ? PrintLines::Sender : PrintLines::Config;
    const std::string written = first.Format(lines);
    second.Load(written.data(), written.size());
    if (second.Format(lines) != written) std::abort();
    return 0;
}
