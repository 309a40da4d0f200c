#pragma once
// Units and paper selection of the configuration window: the two margin-unit pop-ups and the
// conversion of the thirteen length fields, the paper pop-up built from the user's paper list,
// the paper-size unit, the orientation buttons and the paper list editor.

#include <cstdint>
#include <functional>

#include "settings/records.h"

class QDialog;
class QObject;
class TRZN_Paper;
namespace Ui {
class trznConfigModal;
}

class TRZN_ConfigUnits {
public:
    // owner: the QObject that owns the paper list editor once it is made, and the context of
    // the connections. pageChanged redraws the page preview.
    TRZN_ConfigUnits(Ui::trznConfigModal& ui, RecordSet& records, QDialog* window, QObject* owner,
                     std::function<void()> pageChanged);

    // Follows the size unit pop-up's item; connected before any other watcher of it.
    void TrackSizeUnit();
    // Records to the paper section: size, unit, scale, orientation, paper pop-up, page range.
    void SetupPaperSection();

    // Converts the thirteen length fields to another margin unit.
    void SetPUnit(int64_t unit);
    // Rebuilds the paper pop-up and selects the paper that matches the size.
    void SetupPrStMenu(int16_t ph, int16_t pv, int16_t pisr);

    void prconMenuPunitAAction();
    void prconMenuPunitBAction();
    void prstlMenuPaperAction();
    void prstlMenuPunitAction();
    void prstlPBtnPaperAction();
    void prstlUserHrdbnAction();
    void prstlUserVrdbnAction();

private:
    void SizeFieldsInShownUnit();
    void ShowPaperSize(double widthPoints, double heightPoints, int16_t unit);

    Ui::trznConfigModal& _ui;
    RecordSet& _records;
    QDialog* _window;
    QObject* _owner;
    std::function<void()> _pageChanged;
    // The paper list editor (trznPaperCtrl, its panel trznPaperModal), made on first use.
    TRZN_Paper* trznPaperCtrl = nullptr;
    // The unit the paper size fields are in is the one the size pop-up shows, also while the
    // record's unit lags behind (sizes not typed yet). A choice in the pop-up converts from the
    // item it showed before: _sizeItemBefore. _sizeItemShown follows every change of the pop-up.
    int _sizeItemShown = -1;
    int _sizeItemBefore = -1;
};
