#include "config/config_presets.h"

#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/TRZN_PresetName.h"
#include "config/preset_list.h"
#include "config/save_failure.h"
#include "platform/encoding.h"
#include "platform/modal.h"
#include "settings/store.h"
#include "ui_trznConfigModal.h"

namespace {

constexpr int kFixedItems = 4;
constexpr int kFileRole = Qt::UserRole + 1;
const std::string kExtension = ".ini";

void SetItemEnabled(QComboBox* menu, int item, bool enabled) {
    auto* model = qobject_cast<QStandardItemModel*>(menu->model());
    if (!model) return;
    if (QStandardItem* it = model->item(item)) {
        const Qt::ItemFlags on = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        it->setFlags(enabled ? (it->flags() | on) : (it->flags() & ~on));
    }
}

std::string FileOfItem(const QComboBox* menu, int item) {
    return menu->itemData(item, kFileRole).toByteArray().toStdString();
}

// The file a preset saved under a name goes to. A listed preset of that name is replaced in the
// file it was listed from ("A.INI" stays "A.INI"): writing "A.ini" beside it would list the name
// twice and never ask before replacing. The current preset's own item decides when the name is
// the current one; otherwise the file the store names wins among equal names, as in the listing.
std::string TargetFileOf(const QComboBox* menu, int currentItem, bool isCurrentName,
                         const std::string& fileForm) {
    const std::string standard = fileForm + kExtension;
    const int last = menu->count() - kFixedItems;  // preset items are 1 .. last
    if (isCurrentName && currentItem > 0 && currentItem <= last) {
        const std::string file = FileOfItem(menu, currentItem);
        if (!file.empty()) return file;
    }
    std::string found;
    for (int k = 1; k <= last; ++k) {
        if (menu->itemText(k).toUtf8().toStdString() != fileForm) continue;
        const std::string file = FileOfItem(menu, k);
        if (file == standard) return file;
        if (found.empty()) found = file;
    }
    return found.empty() ? standard : found;
}

void CopyName(char (&dst)[kPresetNameSize], const std::string& sjis) {
    std::memset(dst, 0, sizeof dst);
    std::memcpy(dst, sjis.data(), std::min(sjis.size(), sizeof dst - 1));
}

// The closed pop-up steps through its enabled items on a wheel turn or an arrow key, and every
// step acts as a choice: a wheel passing over the window could land on "save as" or "delete".
// Here a wheel does nothing, and the stepping keys open the list, so that a command runs only
// when the user picks it from the open list.
class PresetMenuGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* menu = qobject_cast<QComboBox*>(watched);
        if (!menu) return false;
        if (event->type() == QEvent::Wheel) return true;
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            switch (key->key()) {
                case Qt::Key_Up:
                case Qt::Key_Down:
                case Qt::Key_PageUp:
                case Qt::Key_PageDown:
                case Qt::Key_Home:
                case Qt::Key_End:
                    menu->showPopup();
                    return true;
                default:
                    break;
            }
        }
        return false;
    }
};

}  // namespace

TRZN_ConfigPresets::TRZN_ConfigPresets(Ui::trznConfigModal& ui, RecordSet& records, QDialog* window,
                                       QObject* owner, PresetWindow host)
    : _ui(ui), _records(records), _window(window), _owner(owner), _host(std::move(host)) {
    GuardMenu();
}

void TRZN_ConfigPresets::GuardMenu() {
    QComboBox* menu = _ui.prconMenuPreset;
    menu->installEventFilter(new PresetMenuGuard(menu));
}

bool TRZN_ConfigPresets::Setup() {
    const std::string folder = PresetFolder();
    if (folder.empty()) return false;  // no Documents folder
    const std::vector<PresetEntry> list = ListPresetFolder(folder);

    QComboBox* menu = _ui.prconMenuPreset;
    while (menu->count() > kFixedItems) menu->removeItem(1);

    const std::optional<std::string> current =
        _records.presetName[0] ? PresetFileForm(_records.presetName) : std::nullopt;
    _preset_idx = 0;
    for (int k = 1; k <= static_cast<int>(list.size()); ++k) {
        const PresetEntry& entry = list[static_cast<size_t>(k - 1)];
        menu->insertItem(
            k, QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size())));
        menu->setItemData(k, QByteArray::fromStdString(entry.fileName), kFileRole);
        // Two files can list under one name ("P.ini", "P.INI.ini"): the one the store writes wins.
        if (current && entry.name == *current &&
            (_preset_idx == 0 || entry.fileName == entry.name + kExtension)) {
            _preset_idx = k;
        }
    }
    SetItemEnabled(menu, menu->count() - 3, false);
    menu->setCurrentIndex(_preset_idx);
    if (_preset_idx == 0) _records.presetName[0] = '\0';
    UpdateDelete();
    return true;
}

void TRZN_ConfigPresets::MenuAction() {
    if (_host.finished()) return;
    QComboBox* menu = _ui.prconMenuPreset;
    const std::string folder = PresetFolder();
    if (folder.empty()) {
        menu->setCurrentIndex(_preset_idx);
        return;
    }
    const int a = menu->currentIndex();
    const int n = menu->count();
    if (a == n - 2) {
        SavePresetAs(folder);
    } else if (a == n - 1) {
        DeleteCurrentPreset(folder);
    } else if (a < 0 || a == n - 3) {
        menu->setCurrentIndex(_preset_idx);  // the separator never acts as a preset
    } else if (a != _preset_idx) {
        ChoosePreset(a, folder);
    }
    UpdateDelete();
}

void TRZN_ConfigPresets::UpdateDelete() {
    QComboBox* menu = _ui.prconMenuPreset;
    SetItemEnabled(menu, menu->count() - 1, _preset_idx != 0);
}

void TRZN_ConfigPresets::ChoosePreset(int item, const std::string& folder) {
    QComboBox* menu = _ui.prconMenuPreset;
    if (item == 0) {
        // Leaving the preset keeps what the window shows.
        _preset_idx = 0;
        _records.presetName[0] = '\0';
        return;
    }
    const QByteArray title = menu->itemText(item).toUtf8();
    const std::string name(title.constData(), static_cast<size_t>(title.size()));
    const std::string fileName = FileOfItem(menu, item);
    const std::optional<std::string> sjis = PresetSjisForm(name);

    // Loaded into scratch records first: a preset that can't be read (gone since the listing)
    // leaves the window's settings alone instead of clearing them.
    RecordSet loaded;
    bool ok = false;
    if (sjis && fileName == name + kExtension) {
        ok = LoadSettings(&loaded, name.c_str());
    } else if (sjis) {
        // Listed from a file the store doesn't name ("A.INI"): read that very file.
        ok = LoadPresetFile(folder + "/" + fileName, loaded.print.get(), loaded.paper.get(),
                            loaded.config.get(), loaded.serial.get());
    }
    if (!ok) {
        _records.presetName[0] = '\0';
        Setup();
        return;
    }
    _preset_idx = item;
    CopyName(_records.presetName, *sjis);
    *_records.print = *loaded.print;
    *_records.paper = *loaded.paper;
    *_records.config = *loaded.config;
    *_records.serial = *loaded.serial;
    _host.fillControls();
}

TRZN_PresetName* TRZN_ConfigPresets::PresetNameCtrl() {
    // Made on first use, over the window so that the desktop centres it there.
    if (!_presetNameCtrl) {
        _presetNameCtrl = new TRZN_PresetName(_window);
        _presetNameCtrl->setParent(_owner);
    }
    return _presetNameCtrl;
}

void TRZN_ConfigPresets::SavePresetAs(const std::string& folder) {
    QComboBox* menu = _ui.prconMenuPreset;
    // The preset would hold the folder held so far, not the one on screen.
    if (!_host.textsFit()) {
        menu->setCurrentIndex(_preset_idx);
        return;
    }
    TRZN_PresetName* ctrl = PresetNameCtrl();
    QDialog* dialog = ctrl->panel();
    ctrl->SetPresetFolder(folder);
    char typed[kPresetNameSize] = {};
    std::string fileForm;
    std::string target;  // the preset file written, in the preset folder
    // Declining to replace an existing preset asks for a name again, offering the proposal.
    for (;;) {
        const std::string proposal =
            _records.presetName[0] ? std::string(_records.presetName) : ProposePresetName(folder);
        ctrl->SetPresetName(proposal.c_str());
        const int code = dialog->exec();
        ctrl->GetPresetName(typed);
        dialog->hide();
        if (code != TRZN_PresetName::kResultOk) {
            menu->setCurrentIndex(_preset_idx);
            return;
        }
        // The dialog takes only names that pass this check; a name that fails here anyway must
        // not reach the file system.
        const std::optional<std::string> form = PresetFileForm(typed);
        if (!form || CheckPresetName(typed, folder) != PresetNameFault::None) {
            menu->setCurrentIndex(_preset_idx);
            return;
        }
        fileForm = *form;
        target = TargetFileOf(
            menu, _preset_idx,
            _records.presetName[0] && std::strcmp(typed, _records.presetName) == 0, fileForm);
        if (!PresetFileOpens(folder, target)) break;
        const QString message =
            tr("A preset \"%1\" exists already.\nReplace it with the current settings?")
                .arg(SjisToQString(typed));
        if (Modal().Alert(_window, message, QStringLiteral("OK"), QStringLiteral("Cancel")) == 1)
            break;
    }

    CopyName(_records.presetName, typed);
    _host.readControls();
    RecordSet& r = _records;
    for (;;) {
        errno = 0;
        const bool saved = target == fileForm + kExtension
                               ? SaveSettings(r, fileForm.c_str())
                               : SavePresetFile(folder + "/" + target, r.print.get(), r.paper.get(),
                                                r.config.get(), r.serial.get());
        if (saved) break;
        // The listing that follows would quietly drop the preset: say that it wasn't saved.
        const int error = SaveFailureErrno(folder + "/" + target, errno);
        const QString what = tr("The preset \"%1\"").arg(SjisToQString(typed));
        if (Modal().Alert(_window, SaveFailedText(what, folder + "/" + target, error), tr("Retry"),
                          QStringLiteral("Cancel")) != 1)
            break;
    }
    _host.fillControls();
}

void TRZN_ConfigPresets::DeleteCurrentPreset(const std::string& folder) {
    QComboBox* menu = _ui.prconMenuPreset;
    if (_preset_idx <= 0 || _preset_idx > menu->count() - kFixedItems) {
        menu->setCurrentIndex(_preset_idx);
        return;
    }
    const QString message =
        tr("Delete the preset \"%1\" for good?").arg(SjisToQString(_records.presetName));
    if (Modal().Alert(_window, message, QStringLiteral("OK"), QStringLiteral("Cancel")) != 1) {
        menu->setCurrentIndex(_preset_idx);
        return;
    }
    // The file the item was listed from; a file that can't be removed comes back at the next
    // listing, the item goes all the same.
    const std::string fileName = FileOfItem(menu, _preset_idx);
    if (!fileName.empty()) std::remove((folder + "/" + fileName).c_str());
    menu->removeItem(_preset_idx);
    menu->setCurrentIndex(0);
    _preset_idx = 0;
    _records.presetName[0] = '\0';
}
