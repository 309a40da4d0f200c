#pragma once
// The user paper list editor: a modal panel over a private working copy of the paper list.
// Only OK writes the copy back into the caller's list, all at once; Cancel drops it.

#include <QObject>
#include <QPointer>
#include <QVariant>
#include <cstdint>
#include <memory>

#include "settings/records.h"

class QDialog;
class QWidget;
namespace Ui {
class trznPaperModal;
}

class TRZN_Paper : public QObject {
    Q_OBJECT

public:
    // Modal results of the panel; the caller acts on Ok only.
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    explicit TRZN_Paper(QWidget* parentWindow = nullptr);
    ~TRZN_Paper() override;

    // The panel (trznPaperModal); run it with exec() after setTHPrPaper.
    QDialog* panel() const;

    // Starts an editing session on the caller's list, shown in the given size unit.
    void setTHPrPaper(THPrPaper list, int16_t unit);

    // What the table shows: one row per item of the working copy, the name in every column.
    int numberOfRowsInTableView() const;
    QVariant objectValueForTableColumn(int column, int row) const;

public slots:
    void prextPbtnAditmAction();
    void prextPbtnEditmAction();
    void prextPbtnDeitmAction();
    void prextMenuPunitAction();
    void prextChbxPisrlAction();
    void prextPbtnOkAction();
    void prextPbtnCancelAction();

    // Validity of the fields after a user edit; enables Edit.
    void textDidChange();
    // Shows the selected item in the fields.
    void tableViewSelectionDidChange();

private:
    struct ItemInput;

    bool ReadItem(ItemInput& out);
    int SelectedRow() const;
    int16_t WorkCount() const;
    void Reload(int selectRow);
    void UpdateListButtons();
    void EndSession();
    // The line under the item buttons that says why an action was refused; empty hides it.
    void ShowNote(const QString& note);
    QString ItemRefusal(const ItemInput& input, int row, int count) const;

    QPointer<QDialog> _panel;
    std::unique_ptr<Ui::trznPaperModal> _ui;
    class TableModel;
    TableModel* _model = nullptr;

    std::unique_ptr<TPrPaper> _hPrext;  // working copy while a session runs
    THPrPaper _pPrext = nullptr;        // the caller's list, written on OK
    int16_t _pUnit = 0;                 // unit code of the size fields
    int16_t _pDirty = 0;                // 1 while the fields describe a valid item
};
