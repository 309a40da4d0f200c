#pragma once
// The destination section: the port pop-up's items, the fields each kind of destination uses
// (only those are enabled), and the password of the network address kept out of sight.
//
// A stored port that the machine does not list now (an unplugged USB adapter) stays an item of
// its own, marked as not connected, and stays chosen unless the user picks another: falling
// back to whatever sits at its position would send the next plots to another device.

#include <QCoreApplication>
#include <QString>
#include <string>
#include <vector>

#include "platform/ports.h"
#include "settings/records.h"

class QObject;
namespace Ui {
class trznConfigModal;
}

// What a port-list name designates, as the sender resolves it by name; a name the list does
// not know is taken for a device.
DestinationKind KindOfPort(const QString& name);

// The name OK stores for the pop-up's current item: the stored name for an item kept for a
// missing port, else the item's title. Empty without a current item.
QString ChosenPortName(const Ui::trznConfigModal& ui);
// True when the current item is a stored port kept although the machine does not list it.
bool ChosenPortIsKept(const Ui::trznConfigModal& ui);

class TRZN_ConfigDestination {
    Q_DECLARE_TR_FUNCTIONS(TRZN_Config)

public:
    explicit TRZN_ConfigDestination(Ui::trznConfigModal& ui);

    // Enables the fields of the chosen destination as the choice changes, and masks the
    // address's password whenever the address field is left; owner is the connections' context.
    void Connect(QObject* owner);

    // Rebuilds the port pop-up from these devices and queues and selects the stored port: by
    // name, else by position (files from before names were stored). The records keep a
    // position that only a missing port or the default setup's "none chosen" can explain.
    void FillPortMenu(const std::vector<std::string>& devices,
                      const std::vector<std::string>& queues, TSrConfig& sr);

    // The chosen port into the records: its title (the stored name for a kept port) and its
    // position (a kept port keeps the one the file holds).
    void ReadPort(TSrConfig& sr) const;

    // The fields of the destination the pop-up shows are enabled, the others disabled.
    void EnableFields();

private:
    Ui::trznConfigModal& _ui;
};
