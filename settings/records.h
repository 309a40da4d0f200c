#pragma once
// The settings records shared by both programs and the settings file. Field order, widths and
// signedness are fixed: the settings file and the drawing program's plug-in rely on them.

#include <cstdint>
#include <memory>
#include <type_traits>

// Four signed 16-bit values; the settings file writes them as left, top, right, bottom.
struct Rect {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};

struct TPrInfo {
    int16_t iDev;
    int16_t iVRes;
    int16_t iHRes;
    Rect rPage;
};

struct TPrStl {
    int16_t wDev;
    int16_t iPageV;
    int16_t iPageH;
    int8_t bPort;
    int8_t feed;
};

struct TPrXInfo {
    int16_t iRowBytes;
    int16_t iBandV;  // scale in percent, negative when the page is turned
    int16_t iBandH;
    int16_t iDevBytes;
    int16_t iBands;
    int8_t bPatScale;
    int8_t bUlThick;
    int8_t bUlOffset;
    int8_t bUlShadow;
    int8_t scan;
    int8_t bXInfoX;
};

struct TPrJob {
    int16_t iFstPage;
    int16_t iLstPage;
    int16_t iCopies;
    int8_t bJDocLoop;
    uint8_t fFromUsr;
    void* pIdleProc;  // always null; never loaded
    void* pFileName;  // always null; never loaded
    int16_t iFileVol;
    int8_t bFileVers;
    int8_t bJobX;
};

struct TPrint {
    int16_t iPrVersion;
    TPrInfo prInfo;
    Rect rPaper;
    TPrStl prStl;
    TPrInfo prInfoPT;
    TPrXInfo prXInfo;
    TPrJob prJob;
};

inline constexpr int kPaperNameSize = 64;
inline constexpr int kPaperItemMax = 99;

struct TPrPaperItem {
    char pname[kPaperNameSize];  // Shift-JIS; empty means not in use
    int16_t pwidth;               // points
    int16_t pheight;              // points
    int16_t pisroll;              // 1 roll, 0 cut sheet
};

struct TPrPaper {
    int16_t pitem_count;  // items 1..pitem_count are the list (pitem[0..count-1])
    TPrPaperItem pitem[kPaperItemMax];
};

inline constexpr int kPenCount = 10;

struct TPenEntry {
    int16_t tpenid;  // 1-based position in the pen-number pop-up
    int16_t thick;   // thickness times 100
    int16_t red;     // 0..10000
    int16_t green;
    int16_t blue;
    int16_t fcolor;  // 1 when red/green/blue apply
};

struct TPrConfig {
    int16_t vars;
    int16_t outline;
    Rect cmargin;  // cut-sheet margins, points
    Rect rmargin;  // roll-paper margins, points
    int16_t fsort;
    int16_t fautosep;
    int16_t fautopen;
    int16_t fkanji;
    int16_t forign;
    int16_t pUnit;  // unit code of margins and roll length
    int16_t fdebug;
    int16_t foptln;
    int16_t foptEx;
    TPenEntry toollist[kPenCount];
    int16_t fusekstm;
    int16_t ktoolid;
    Rect kmargin;
    int16_t rlength;
    int16_t fusezfcut;
    int16_t zftoolid;
    int16_t zfcpress;
    int16_t zfspress;
    int16_t zfcleng;
    int16_t zfsleng;
    int16_t papersct;
    int16_t unitmsct;  // unit code of the paper size fields
    int16_t papervhf;  // 1 when the page is turned
    int16_t paperisr;
    int16_t iFstPage;
    int16_t iLstPage;
};

inline constexpr int kPortNameSize = 80;
inline constexpr int kHostTextSize = 128;

struct TSrConfig {
    int16_t port;                   // position in the port list
    char port_name[kPortNameSize];  // device path or pseudo-port label; empty: port decides
    int16_t baud;
    int16_t data;
    int16_t stop;
    int16_t parity;
    int16_t flctrl;
    char ipaddr[kHostTextSize];  // host:folder:user:password
    int64_t portid;
    int64_t prunit;
    int64_t average;
    int64_t pdlmopt;  // flag << 24 | A << 16 | L
    int64_t nouse1;
    char prheader[kHostTextSize];
    char prfooter[kHostTextSize];
    char shared_folder[kHostTextSize];  // UTF-8
};

struct tPldStatRes {
    int16_t plstVersion;
    int16_t fTextOut;
    int16_t nouse1;
    int64_t nouse2;
    int64_t nouse3;
};

inline constexpr int16_t kDefaultStatVersion = 3001;
inline constexpr int kPresetNameSize = 256;

// Handles: the records are owned by the controllers (RecordSet below); everything else receives
// plain pointers and fills or reads the records in place.
using THPrint = TPrint*;
using THPrPaper = TPrPaper*;
using THPrConfig = TPrConfig*;
using THSrConfig = TSrConfig*;
using THRefCon = int64_t*;

// Completion status left in the main settings file for whoever started a program.
enum class Completion : int64_t { Running = 0, Done = 1, Cancelled = 2 };

// The five blocks a controller allocates at start-up and frees before it quits, with what the
// main settings file holds beside them.
struct RecordSet {
    std::unique_ptr<TPrint> print = std::make_unique<TPrint>();
    std::unique_ptr<TPrPaper> paper = std::make_unique<TPrPaper>();
    std::unique_ptr<TPrConfig> config = std::make_unique<TPrConfig>();
    std::unique_ptr<TSrConfig> serial = std::make_unique<TSrConfig>();
    std::unique_ptr<int64_t> refCon = std::make_unique<int64_t>(0);
    char presetName[kPresetNameSize] = {};  // Shift-JIS, empty when no preset
    tPldStatRes stat = {};                  // read at start-up, written back unchanged
};

// The cleared state every load starts from.
void ClearRecords(TPrint* print, TPrPaper* paper, TPrConfig* config, TSrConfig* serial);

namespace record_checks {
template <class Field, class Want>
inline constexpr bool kIs = std::is_same_v<Field, Want>;

static_assert(sizeof(Rect) == 8 && kIs<decltype(Rect::top), int16_t>);
static_assert(kIs<decltype(TPrStl::bPort), int8_t> && kIs<decltype(TPrStl::feed), int8_t>);
static_assert(kIs<decltype(TPrXInfo::scan), int8_t> && kIs<decltype(TPrXInfo::iBands), int16_t>);
static_assert(kIs<decltype(TPrJob::fFromUsr), uint8_t> && kIs<decltype(TPrJob::bJDocLoop), int8_t>);
static_assert(kIs<decltype(TPrJob::bFileVers), int8_t> && kIs<decltype(TPrJob::iFileVol), int16_t>);
static_assert(sizeof(TPrPaperItem::pname) == 64 && kIs<decltype(TPrPaperItem::pisroll), int16_t>);
static_assert(sizeof(TPrPaper::pitem) / sizeof(TPrPaperItem) == 99);
static_assert(sizeof(TPenEntry) == 12);
static_assert(sizeof(TPrConfig::toollist) / sizeof(TPenEntry) == 10);
static_assert(sizeof(TSrConfig::port_name) == 80 && sizeof(TSrConfig::ipaddr) == 128);
static_assert(sizeof(TSrConfig::prheader) == 128 && sizeof(TSrConfig::prfooter) == 128);
static_assert(sizeof(TSrConfig::shared_folder) == 128);
static_assert(kIs<decltype(TSrConfig::portid), int64_t> && kIs<decltype(TSrConfig::nouse1), int64_t>);
static_assert(kIs<decltype(tPldStatRes::nouse2), int64_t> && kIs<decltype(tPldStatRes::nouse1), int16_t>);
static_assert(std::is_trivially_copyable_v<TPrint> && std::is_trivially_copyable_v<TPrConfig>);
static_assert(std::is_trivially_copyable_v<TSrConfig> && std::is_trivially_copyable_v<TPrPaper>);
}  // namespace record_checks
