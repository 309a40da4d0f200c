#include "config/config_outlines.h"

#include <QComboBox>

#include "settings/outline_file.h"
#include "ui_trznConfigModal.h"

namespace {

// The pop-up's items: what the drawing shows, then every outline.
constexpr int kEveryOutlineItem = 1;

}  // namespace

void TRZN_ConfigOutlines::Fill() {
    bool every = false;
    Note problem;
    LoadOutlineFile(OutlineFilePath(), &every, &problem);
    _ui.prconMenuLines->setCurrentIndex(every ? kEveryOutlineItem : 0);
}

bool TRZN_ConfigOutlines::Read() const {
    return _ui.prconMenuLines->currentIndex() == kEveryOutlineItem;
}

bool TRZN_ConfigOutlines::Save(std::string* error) const {
    return SaveOutlineFile(OutlineFilePath(), Read(), error);
}
