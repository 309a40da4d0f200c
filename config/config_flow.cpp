#include "config/config_flow.h"

#include <QComboBox>
#include <QLabel>

#include "platform/serial_line.h"
#include "ui_trznConfigModal.h"

void ConnectFlowControlNote(Ui::trznConfigModal& ui, QObject* owner) {
    const auto follow = [&ui] {
        ui.prconLabelFlowcNote->setVisible(ui.prconMenuFlowc->currentIndex() == kFlowPlotterBuffer);
    };
    QObject::connect(ui.prconMenuFlowc, &QComboBox::currentIndexChanged, owner, follow);
    follow();
}
