#include "settings/store.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/key_lines.h"
#include "settings/settings_lock.h"

namespace {

// One written line in file order; an empty key is a blank line.
struct Line {
    std::string key;
    Slot slot;
};

struct Records {
    TPrint* print;
    TPrPaper* paper;
    TPrConfig* config;
    TSrConfig* serial;
    int64_t* refCon;
    char* presetName;
    tPldStatRes* stat;
};

constexpr size_t kPathMax = 511;

template <class Field>
Slot S(Field& v) {
    return SlotOf(v);
}
Slot P(void*& v) { return PointerSlot(v); }

std::string Numbered(const char* prefix, int n, const char* suffix) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%02d%s", prefix, n, suffix);
    return buf;
}

// The one table of keys, in file order: the writer walks it, the reader looks keys up in it.
// It is laid out once over placeholder records and kept as offsets into the blocks.
std::vector<Line> Layout(const Records& r) {
    std::vector<Line> out;
    out.reserve(600);
    auto add = [&out](std::string key, Slot slot) { out.push_back({std::move(key), slot}); };
    auto blank = [&out](void* owner) {
        out.push_back({std::string(), Slot{SlotKind::Int16, owner, 0}});
    };

    TPrint& p = *r.print;
    add("THPrint.iPrVersion", S(p.iPrVersion));
    add("THPrint.prInfo.iDev", S(p.prInfo.iDev));
    add("THPrint.prInfo.iVRes", S(p.prInfo.iVRes));
    add("THPrint.prInfo.iHRes", S(p.prInfo.iHRes));
    add("THPrint.prInfo.rPage", S(p.prInfo.rPage));
    add("THPrint.rPaper", S(p.rPaper));
    add("THPrint.prStl.wDev", S(p.prStl.wDev));
    add("THPrint.prStl.iPageV", S(p.prStl.iPageV));
    add("THPrint.prStl.iPageH", S(p.prStl.iPageH));
    add("THPrint.prStl.bPort", S(p.prStl.bPort));
    add("THPrint.prStl.feed", S(p.prStl.feed));
    add("THPrint.prInfoPT.iDev", S(p.prInfoPT.iDev));
    add("THPrint.prInfoPT.iVRes", S(p.prInfoPT.iVRes));
    add("THPrint.prInfoPT.iHRes", S(p.prInfoPT.iHRes));
    add("THPrint.prInfoPT.rPage", S(p.prInfoPT.rPage));
    add("THPrint.prXInfo.iRowBytes", S(p.prXInfo.iRowBytes));
    add("THPrint.prXInfo.iBandV", S(p.prXInfo.iBandV));
    add("THPrint.prXInfo.iBandH", S(p.prXInfo.iBandH));
    add("THPrint.prXInfo.iDevBytes", S(p.prXInfo.iDevBytes));
    add("THPrint.prXInfo.iBands", S(p.prXInfo.iBands));
    add("THPrint.prXInfo.bPatScale", S(p.prXInfo.bPatScale));
    add("THPrint.prXInfo.bUlThick", S(p.prXInfo.bUlThick));
    add("THPrint.prXInfo.bUlOffset", S(p.prXInfo.bUlOffset));
    add("THPrint.prXInfo.bUlShadow", S(p.prXInfo.bUlShadow));
    add("THPrint.prXInfo.scan", S(p.prXInfo.scan));
    add("THPrint.prXInfo.bXInfoX", S(p.prXInfo.bXInfoX));
    add("THPrint.prJob.iFstPage", S(p.prJob.iFstPage));
    add("THPrint.prJob.iLstPage", S(p.prJob.iLstPage));
    add("THPrint.prJob.iCopies", S(p.prJob.iCopies));
    add("THPrint.prJob.bJDocLoop", S(p.prJob.bJDocLoop));
    add("THPrint.prJob.fFromUsr", S(p.prJob.fFromUsr));
    add("THPrint.prJob.pIdleProc", P(p.prJob.pIdleProc));
    add("THPrint.prJob.pFileName", P(p.prJob.pFileName));
    add("THPrint.prJob.iFileVol", S(p.prJob.iFileVol));
    add("THPrint.prJob.bFileVers", S(p.prJob.bFileVers));
    add("THPrint.prJob.bJobX", S(p.prJob.bJobX));
    blank(r.print);

    for (int n = 1; n <= kPaperItemMax; ++n) {
        TPrPaperItem& item = r.paper->pitem[n - 1];
        add(Numbered("THPrPaper.pitem_", n, ".pname"), S(item.pname));
        add(Numbered("THPrPaper.pitem_", n, ".pwidth"), S(item.pwidth));
        add(Numbered("THPrPaper.pitem_", n, ".pheight"), S(item.pheight));
        add(Numbered("THPrPaper.pitem_", n, ".pisroll"), S(item.pisroll));
        blank(&item);
    }

    TPrConfig& c = *r.config;
    add("THPrConfig.vars", S(c.vars));
    add("THPrConfig.outline", S(c.outline));
    add("THPrConfig.cmargin", S(c.cmargin));
    add("THPrConfig.rmargin", S(c.rmargin));
    add("THPrConfig.fsort", S(c.fsort));
    add("THPrConfig.fautosep", S(c.fautosep));
    add("THPrConfig.fautopen", S(c.fautopen));
    add("THPrConfig.fkanji", S(c.fkanji));
    add("THPrConfig.forign", S(c.forign));
    add("THPrConfig.pUnit", S(c.pUnit));
    add("THPrConfig.fdebug", S(c.fdebug));
    add("THPrConfig.foptln", S(c.foptln));
    add("THPrConfig.foptEx", S(c.foptEx));
    for (int n = 1; n <= kPenCount; ++n) {
        TPenEntry& pen = c.toollist[n - 1];
        add(Numbered("THPrConfig.toollist_", n, ".tpenid"), S(pen.tpenid));
        add(Numbered("THPrConfig.toollist_", n, ".thick"), S(pen.thick));
        add(Numbered("THPrConfig.toollist_", n, ".red"), S(pen.red));
        add(Numbered("THPrConfig.toollist_", n, ".green"), S(pen.green));
        add(Numbered("THPrConfig.toollist_", n, ".blue"), S(pen.blue));
        add(Numbered("THPrConfig.toollist_", n, ".fcolor"), S(pen.fcolor));
    }
    add("THPrConfig.fusekstm", S(c.fusekstm));
    add("THPrConfig.ktoolid", S(c.ktoolid));
    add("THPrConfig.kmargin", S(c.kmargin));
    add("THPrConfig.rlength", S(c.rlength));
    add("THPrConfig.fusezfcut", S(c.fusezfcut));
    add("THPrConfig.zftoolid", S(c.zftoolid));
    add("THPrConfig.zfcpress", S(c.zfcpress));
    add("THPrConfig.zfspress", S(c.zfspress));
    add("THPrConfig.zfcleng", S(c.zfcleng));
    add("THPrConfig.zfsleng", S(c.zfsleng));
    add("THPrConfig.papersct", S(c.papersct));
    add("THPrConfig.unitmsct", S(c.unitmsct));
    add("THPrConfig.papervhf", S(c.papervhf));
    add("THPrConfig.paperisr", S(c.paperisr));
    add("THPrConfig.iFstPage", S(c.iFstPage));
    add("THPrConfig.iLstPage", S(c.iLstPage));
    blank(r.config);

    TSrConfig& s = *r.serial;
    add("THSrConfig.port", S(s.port));
    add("THSrConfig.baud", S(s.baud));
    add("THSrConfig.data", S(s.data));
    add("THSrConfig.stop", S(s.stop));
    add("THSrConfig.parity", S(s.parity));
    add("THSrConfig.flctrl", S(s.flctrl));
    add("THSrConfig.ipaddr", S(s.ipaddr));
    add("THSrConfig.portid", S(s.portid));
    add("THSrConfig.prunit", S(s.prunit));
    add("THSrConfig.average", S(s.average));
    add("THSrConfig.pdlmopt", S(s.pdlmopt));
    add("THSrConfig.nouse1", S(s.nouse1));
    add("THSrConfig.prheader", S(s.prheader));
    add("THSrConfig.prfooter", S(s.prfooter));
    add("THSrConfig.shared_folder", S(s.shared_folder));
    add("THSrConfig.port_name", S(s.port_name));
    blank(r.serial);

    add("refine_con", S(*r.refCon));
    add("preset_name", Slot{SlotKind::Text, r.presetName, kPresetNameSize});
    {
        blank(r.stat);
        add("tPldStatRes.plstVersion", S(r.stat->plstVersion));
        add("tPldStatRes.fTextOut", S(r.stat->fTextOut));
        add("tPldStatRes.nouse1", S(r.stat->nouse1));
        add("tPldStatRes.nouse2", S(r.stat->nouse2));
        add("tPldStatRes.nouse3", S(r.stat->nouse3));
    }
    return out;
}

enum class Block { Print, Paper, Config, Serial, RefCon, PresetName, Stat };

struct Entry {
    std::string key;  // empty: a blank line
    SlotKind kind;
    Block block;
    size_t offset;    // into the block
    size_t capacity;
    int paperItem;    // 1-based element of a paper item line, else 0
};

struct Table {
    std::vector<Entry> entries;
    std::unordered_map<std::string_view, size_t> index;
};

const Table& KeyTable() {
    static const Table table = [] {
        static TPrint print;
        static TPrPaper paper;
        static TPrConfig config;
        static TSrConfig serial;
        static int64_t refCon;
        static char presetName[kPresetNameSize];
        static tPldStatRes stat;
        const Records dummy{&print, &paper, &config, &serial, &refCon, presetName, &stat};
        struct Range {
            Block block;
            const void* base;
            size_t size;
        };
        const Range ranges[] = {
            {Block::Print, &print, sizeof print},       {Block::Paper, &paper, sizeof paper},
            {Block::Config, &config, sizeof config},    {Block::Serial, &serial, sizeof serial},
            {Block::RefCon, &refCon, sizeof refCon},    {Block::PresetName, presetName, sizeof presetName},
            {Block::Stat, &stat, sizeof stat},
        };
        Table t;
        for (Line& line : Layout(dummy)) {
            const auto* at = static_cast<const char*>(line.slot.at);
            for (const Range& range : ranges) {
                const auto* base = static_cast<const char*>(range.base);
                if (at < base || at >= base + range.size) continue;
                const size_t offset = static_cast<size_t>(at - base);
                int item = 0;
                if (range.block == Block::Paper && offset >= offsetof(TPrPaper, pitem))
                    item = static_cast<int>((offset - offsetof(TPrPaper, pitem)) / sizeof(TPrPaperItem)) + 1;
                t.entries.push_back({std::move(line.key), line.slot.kind, range.block, offset,
                                     line.slot.capacity, item});
                break;
            }
        }
        for (size_t i = 0; i < t.entries.size(); ++i)
            if (!t.entries[i].key.empty()) t.index.emplace(t.entries[i].key, i);
        return t;
    }();
    return table;
}

// The block an entry lives in for this call, or null when the caller did not give it.
char* BlockBase(const Records& r, Block block) {
    switch (block) {
    case Block::Print: return reinterpret_cast<char*>(r.print);
    case Block::Paper: return reinterpret_cast<char*>(r.paper);
    case Block::Config: return reinterpret_cast<char*>(r.config);
    case Block::Serial: return reinterpret_cast<char*>(r.serial);
    case Block::RefCon: return reinterpret_cast<char*>(r.refCon);
    case Block::PresetName: return r.presetName;
    case Block::Stat: return reinterpret_cast<char*>(r.stat);
    }
    return nullptr;
}

Slot Resolve(const Entry& e, char* base) { return Slot{e.kind, base + e.offset, e.capacity}; }

void CountPaperItems(TPrPaper* paper) {
    int16_t count = 0;
    for (int n = 1; n <= kPaperItemMax; ++n)
        if (paper->pitem[n - 1].pname[0] != '\0') count = static_cast<int16_t>(n);
    paper->pitem_count = count;
}

}  // namespace

void LoadPrefarenceBytes(const char* data, size_t size, THPrint print, THPrPaper paper,
                         THPrConfig config, THSrConfig serial, THRefCon refCon, char* presetName,
                         tPldStatRes* stat) {
    const Records records{print, paper, config, serial, refCon, presetName, stat};
    const Table& table = KeyTable();
    ForEachKeyLine({data, size}, [&](const KeyFields& fields, size_t) {
        const std::string& key = fields[0];
        if (const auto it = table.index.find(key); it != table.index.end()) {
            const Entry& e = table.entries[it->second];
            if (char* base = BlockBase(records, e.block)) StoreSlot(Resolve(e, base), fields);
        }
        if (key.rfind("THPrPaper.", 0) == 0) CountPaperItems(paper);
        return true;
    });
}

std::string FormatPrefarence(THPrint print, THPrPaper paper, THPrConfig config, THSrConfig serial,
                             THRefCon refCon, const char* presetName, const tPldStatRes* stat,
                             PrintLines lines) {
    // The layout only reads through these pointers here.
    const Records records{print, paper, config, serial, refCon, const_cast<char*>(presetName),
                          const_cast<tPldStatRes*>(stat)};
    int items = paper->pitem_count;
    if (items < 0) items = 0;
    if (items > kPaperItemMax) items = kPaperItemMax;
    std::string out;
    out.reserve(16384);
    for (const Entry& e : KeyTable().entries) {
        char* base = BlockBase(records, e.block);
        if (!base || e.paperItem > items) continue;
        if (e.kind == SlotKind::Pointer && lines != PrintLines::Sender) continue;
        AppendKeyLine(out, e.key, Resolve(e, base));
    }
    return out;
}

bool GetPrefarence(const char* preset, THPrint print, THPrPaper paper, THPrConfig config,
                   THSrConfig serial, THRefCon refCon, char* presetName, tPldStatRes* stat) {
    ClearRecords(print, paper, config, serial);
    if (refCon) *refCon = 0;
    if (presetName) presetName[0] = '\0';
    if (stat) {
        std::memset(stat, 0, sizeof *stat);
        stat->plstVersion = kDefaultStatVersion;
    }
    const std::string path = SettingsFilePath(preset);
    if (path.empty()) return false;
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    LoadPrefarenceBytes(bytes.constData(), static_cast<size_t>(bytes.size()), print, paper, config,
                        serial, refCon, presetName, stat);
    return true;
}

bool SetPrefarence(const char* preset, THPrint print, THPrPaper paper, THPrConfig config,
                   THSrConfig serial, THRefCon refCon, const char* presetName,
                   const tPldStatRes* stat, PrintLines lines) {
    const std::string path = SettingsFilePath(preset);
    if (path.empty()) return false;
    const std::string text =
        FormatPrefarence(print, paper, config, serial, refCon, presetName, stat, lines);
    std::optional<SettingsLock> turn;
    if (!preset) turn.emplace();
    return WriteSettingsFile(path, text);
}

std::string SettingsLineKey(std::string_view line) { return KeyOfLine(line); }

bool LoadSettings(RecordSet* records, const char* preset) {
    RecordSet& r = *records;
    if (preset)
        return GetPrefarence(preset, r.print.get(), r.paper.get(), r.config.get(), r.serial.get());
    return GetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                         r.refCon.get(), r.presetName, &r.stat);
}

bool SaveSettings(const RecordSet& records, const char* preset, PrintLines lines) {
    const RecordSet& r = records;
    if (preset)
        return SetPrefarence(preset, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                             nullptr, nullptr, nullptr, lines);
    return SetPrefarence(nullptr, r.print.get(), r.paper.get(), r.config.get(), r.serial.get(),
                         r.refCon.get(), r.presetName, &r.stat, lines);
}

namespace {
thread_local std::string g_writeError;
}  // namespace

bool WriteSettingsFile(const std::string& path, const std::string& text) {
    // Written beside the target and renamed over it: a reader (the plug-in, the other program)
    // sees the old or the new file, and a failed write keeps the old one.
    // A settings file the user linked elsewhere is saved through the link, as an in-place
    // write would, instead of being replaced by a plain file.
    QString target = QFile::decodeName(path.c_str());
    const QFileInfo info(target);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        target = resolved.isEmpty() ? info.symLinkTarget() : resolved;
    }
    QSaveFile file(target);
    // Unbuffered: a write the disk refuses must fail here. Buffered, the bytes only reach the
    // disk inside commit(), which then renames a short temporary over the settings anyway.
    const auto failed = [&file] {
        g_writeError = file.errorString().toStdString();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return failed();
    // Unless committed, the temporary is discarded when file goes out of scope.
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        return failed();
    if (!file.commit()) return failed();
    g_writeError.clear();
    return true;
}

std::string SettingsWriteError() { return g_writeError; }

SettingsRead ReadSettingsFile(const std::string& path, std::string* bytes) {
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.exists() && !QFileInfo(file).isSymLink()) return SettingsRead::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        g_writeError = file.errorString().toStdString();
        return SettingsRead::Failed;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        g_writeError = file.errorString().toStdString();
        return SettingsRead::Failed;
    }
    bytes->assign(data.constData(), static_cast<size_t>(data.size()));
    return SettingsRead::Read;
}

std::string SettingsFilePath(const char* preset) {
    std::string path;
    if (preset) {
        // The name becomes one file name: a '/' would reach outside the preset folder.
        if (std::strchr(preset, '/')) return {};
        path = PresetFolder();
        if (path.empty()) return {};
        path += "/";
        path += preset;
        path += ".ini";
    } else {
        const std::string product = ProductFolder();
        if (product.empty()) return {};
        path = ProductFile(product, product::kSettings);
    }
    return path.size() <= kPathMax ? path : std::string();
}
