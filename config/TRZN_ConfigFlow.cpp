// The flow-control pop-up: pacing by the plotter's buffer works only with plotters that answer
// on the line, so choosing it brings up a note saying which, and what it does.

#include "config/TRZN_Config.h"
#include "platform/serial_line.h"
#include "ui_trznConfigModal.h"

void TRZN_Config::ConnectFlowControl() {
    // Also on a selection made while filling: the note follows the loaded setting.
    connect(_ui->prconMenuFlowc, &QComboBox::currentIndexChanged, this,
            &TRZN_Config::prconMenuFlowcAction);
    prconMenuFlowcAction();
}

void TRZN_Config::prconMenuFlowcAction() {
    _ui->prconLabelFlowcNote->setVisible(_ui->prconMenuFlowc->currentIndex() ==
                                         kFlowPlotterBuffer);
}
