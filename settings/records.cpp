#include "settings/records.h"

#include <cstring>

void ClearRecords(TPrint* print, TPrPaper* paper, TPrConfig* config, TSrConfig* serial) {
    // The records are trivially copyable plain data, so zero bytes are their cleared state;
    // the two pointers are set explicitly rather than relying on a null pointer being all zeros.
    std::memset(print, 0, sizeof *print);
    print->prJob.pIdleProc = nullptr;
    print->prJob.pFileName = nullptr;
    std::memset(paper, 0, sizeof *paper);
    std::memset(config, 0, sizeof *config);
    std::memset(serial, 0, sizeof *serial);
}
