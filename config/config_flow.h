#pragma once
// The flow-control pop-up: pacing by the plotter's buffer works only with plotters that answer
// on the line, so choosing it brings up a note saying which, and what it does.

class QObject;
namespace Ui {
class trznConfigModal;
}

// Shows the note while the plotter's buffer is chosen, also for a choice made while filling;
// owner is the connection's context.
void ConnectFlowControlNote(Ui::trznConfigModal& ui, QObject* owner);
