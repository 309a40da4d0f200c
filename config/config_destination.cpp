#include "config/config_destination.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVariant>
#include <algorithm>
#include <cstring>

#include "config/config_fields.h"
#include "config/window_sections.h"
#include "platform/encoding.h"
#include "platform/ports.h"
#include "platform/print_queue.h"
#include "settings/default_setup.h"
#include "ui_trznConfigModal.h"

namespace {

// Item data of a port kept although the machine does not list it: the name as stored.
constexpr int kKeptNameRole = Qt::UserRole + 1;

// "host:folder:user:password" with the password as the sender's panel shows it. A text without
// a password (fewer than three colons, or nothing after the third) has nothing to hide.
QString MaskedAddress(const QString& text) {
    int colons = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u':' || ++colons < 3) continue;
        if (i + 1 >= text.size()) return {};
        return text.left(i + 1) + QStringLiteral("****");
    }
    return {};
}

// Shows the masked address over the field while it has no focus. The field itself keeps the
// address as typed, so reading, storing and the byte checks never see the mask.
class AddressMask : public QObject {
public:
    explicit AddressMask(QLineEdit* field)
        : QObject(field), _field(field), _shown(new QLabel(field)) {
        _shown->setObjectName(QStringLiteral("prconLabelIHostMasked"));
        _shown->setAttribute(Qt::WA_TransparentForMouseEvents);
        _shown->setAutoFillBackground(true);
        _shown->setTextFormat(Qt::PlainText);
        field->installEventFilter(this);
        QObject::connect(field, &QLineEdit::textChanged, this, [this] { Follow(); });
        Follow();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::FocusIn:
            case QEvent::FocusOut:
            case QEvent::Resize:
            case QEvent::EnabledChange:
            case QEvent::Show:
                Follow();
                break;
            default:
                break;
        }
        return false;
    }

private:
    void Follow() {
        const QString masked = MaskedAddress(_field->text());
        const bool cover = !masked.isEmpty() && !_field->hasFocus();
        _shown->setVisible(cover);
        if (!cover) return;
        // Inside the frame, where the field draws its own text (2 pixels in from the frame).
        const int frame =
            _field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, _field);
        _shown->setGeometry(_field->rect().adjusted(frame + 2, frame, -frame - 2, -frame));
        _shown->setText(masked);
        _shown->setEnabled(_field->isEnabled());
        _shown->setBackgroundRole(_field->isEnabled() ? QPalette::Base : QPalette::Window);
    }

    QLineEdit* _field;
    QLabel* _shown;
};

}  // namespace

DestinationKind KindOfPort(const QString& name) {
    const std::string text = name.toStdString();
    if (QueueFromLabel(text)) return DestinationKind::PrinterQueue;
    if (text == kPseudoPorts[0].label) return DestinationKind::SharedFolder;
    for (const PseudoPort& pseudo : kPseudoPorts)
        if (text == pseudo.label) return DestinationKind::Network;
    return DestinationKind::SerialPort;
}

QString ChosenPortName(const Ui::trznConfigModal& ui) {
    const QComboBox* menu = ui.prconMenuNPort;
    if (menu->currentIndex() < 0) return {};
    const QVariant kept = menu->currentData(kKeptNameRole);
    return kept.isValid() ? kept.toString() : menu->currentText();
}

bool ChosenPortIsKept(const Ui::trznConfigModal& ui) {
    return ui.prconMenuNPort->currentData(kKeptNameRole).isValid();
}

TRZN_ConfigDestination::TRZN_ConfigDestination(Ui::trznConfigModal& ui) : _ui(ui) {
    _ui.prconMenuNPort->setPlaceholderText(tr("Not chosen"));
}

void TRZN_ConfigDestination::Connect(QObject* owner) {
    QObject::connect(_ui.prconMenuNPort, &QComboBox::currentIndexChanged, owner,
                     [this] { EnableFields(); });
    new AddressMask(_ui.prconTextIHost);
    EnableFields();
}

void TRZN_ConfigDestination::FillPortMenu(const std::vector<std::string>& devices,
                                          const std::vector<std::string>& queues, TSrConfig& sr) {
    QComboBox* menu = _ui.prconMenuNPort;
    std::vector<QString> titles;
    for (const std::string& title : PortList(devices, queues))
        titles.push_back(QString::fromUtf8(title.c_str()));
    const QString stored = SjisField(sr.port_name);
    bool listed = std::find(titles.begin(), titles.end(), stored) != titles.end();
    // A queue the server does not list now (server down, queue renamed) stays chosen under its
    // own label: the sender says that the queue is missing.
    if (!stored.isEmpty() && !listed && KindOfPort(stored) == DestinationKind::PrinterQueue) {
        titles.push_back(stored);
        listed = true;
    }
    const bool kept = !stored.isEmpty() && !listed;

    menu->clear();
    for (const QString& t : titles) menu->addItem(t);
    int item = PortItemFor(titles, sr.port, stored);
    if (kept) {
        item = menu->count();
        menu->addItem(tr("%1 (not connected)").arg(stored));
        menu->setItemData(item, QVariant(stored), kKeptNameRole);
        menu->setItemData(item,
                          tr("%1 is not connected to this computer: plug in the adapter, or choose "
                             "another destination.")
                              .arg(stored),
                          Qt::ToolTipRole);
    }
    // Nothing is shown chosen while nothing is: OK would store the first item silently.
    if (!kept && !DestinationChosen(sr)) item = -1;
    menu->setCurrentIndex(item);
    // A kept port and the default setup's "none chosen" keep the position the file holds until
    // the user picks an item; any other stored port is stored at the item it shows.
    if (!kept && DestinationChosen(sr)) sr.port = static_cast<int16_t>(item);
    EnableFields();
}

void TRZN_ConfigDestination::ReadPort(TSrConfig& sr) const {
    if (_ui.prconMenuNPort->currentIndex() < 0) return;
    if (!ChosenPortIsKept(_ui)) sr.port = static_cast<int16_t>(_ui.prconMenuNPort->currentIndex());
    StoreBytes(sr.port_name, QStringToSjis(ChosenPortName(_ui), kPortNameLimit));
}

void TRZN_ConfigDestination::EnableFields() {
    const bool chosen = _ui.prconMenuNPort->currentIndex() >= 0;
    const DestinationKind kind = KindOfPort(ChosenPortName(_ui));
    const bool folder = chosen && kind == DestinationKind::SharedFolder;
    const bool network = chosen && kind == DestinationKind::Network;
    _ui.prconGroupSerial->setEnabled(chosen && kind == DestinationKind::SerialPort);
    for (QWidget* w : std::initializer_list<QWidget*>{
             _ui.prconLabelSharedFolder, _ui.prconTextSharedFolder, _ui.prconPBtnSharedFolder})
        w->setEnabled(folder);
    for (QWidget* w : std::initializer_list<QWidget*>{_ui.prconLabelIHost, _ui.prconTextIHost,
                                                      _ui.prconLabelIPort, _ui.prconTextIPort})
        w->setEnabled(network);
}
