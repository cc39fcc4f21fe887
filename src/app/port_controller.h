#pragma once
// PortController: the Port menu. Its items COM1..COM4 form an exclusive QActionGroup whose checked
// item is the port the next transfer or test-mode exchange opens (COM1 at every start); choosing
// one never touches the device. When the menu opens, each item also names the device the port
// stands for now and is disabled without one. Port > Choose Port gives a port a device (kept
// across starts) and chooses that port.

#include "serial/radio_worker.h"
#include "serial/system_ports.h"

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QWidget;
class Settings;

class PortController : public QObject
{
    Q_OBJECT

public:
    // The devices chosen for COM1..COM4 come from and are kept in `settings`; Choose Port's
    // dialog and the messages belong to `parent`.
    PortController(Settings& settings, QWidget* parent, QObject* owner = nullptr);

    // `items` are the port items in menu order; each one's data() is its port name ("COM1").
    // They become checkable and exclusive, and the first is checked.
    void setItems(const QList<QAction*>& items);

    // The chosen port: "COM1".."COM4".
    QString port() const { return m_port; }
    // The chosen port and the device it stands for now, as a transfer opens it.
    orvo::RadioPort radioPort() const;

    // The Port menu is about to open: each item's text gets the device its port stands for now
    // ("COM1(&P)  —  /dev/ttyUSB0  FTDI FT232R", "(no device)"); an item with no device is
    // disabled.
    void showDevices();
    // Port > Choose Port: the dialog opens on the chosen port; on OK the device is kept for the
    // port named there (COM1..COM4), in this session and the next, and that port is chosen.
    void choosePort();

private:
    QAction* itemOf(const QString& port) const;
    std::string devicePath(const QString& port) const;

    Settings& m_settings;
    QActionGroup* m_group;
    QWidget* m_parent;
    QString m_port;
    orvo::ChosenDevices m_chosen;
};
