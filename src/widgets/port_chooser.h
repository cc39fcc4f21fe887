#pragma once
// PortChooser: the Port > Choose Port dialog. Lists every serial port the system has, with its
// description, manufacturer and serial number, and lets the user give one of them (or a typed
// device path) to COM1..COM4.

#include "serial/system_ports.h"

#include <QDialog>

#include <memory>

namespace Ui {
class PortChooserDlg;
}

class PortChooser : public QDialog
{
    Q_OBJECT

public:
    // Opens on `port` ("COM1".."COM4") with the device that name stands for now, given the
    // devices `chosen` so far.
    PortChooser(const QString& port, const orvo::ChosenDevices& chosen, QWidget* parent = nullptr);
    ~PortChooser() override;

    // After OK: the port name and the device chosen for it (trimmed; empty gives the name back
    // to the system's list).
    QString port() const;
    QString device() const;

private:
    void refresh();

    std::unique_ptr<Ui::PortChooserDlg> m_ui;
};
