#include "widgets/port_chooser.h"

#include "serial/system_ports.h"

#include "ui_port_chooser_dlg.h"

#include <QPushButton>

PortChooser::PortChooser(const QString& port, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PortChooserDlg>())
{
    m_ui->setupUi(this);
    m_ui->cmbPort->setCurrentText(port);
    auto showDevice = [this] {
        const std::string device = orvo::systemPortPath(m_ui->cmbPort->currentText().toStdString());
        m_ui->editDevice->setText(QString::fromStdString(device));
    };
    connect(m_ui->cmbPort, &QComboBox::currentTextChanged, this, showDevice);
    connect(m_ui->btnRefresh, &QPushButton::clicked, this, &PortChooser::refresh);
    connect(m_ui->listPorts, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            m_ui->editDevice->setText(item->text(0));
    });
    connect(m_ui->listPorts, &QTreeWidget::itemActivated, this, &QDialog::accept);
    refresh();
    showDevice();
}

PortChooser::~PortChooser() = default;

QString PortChooser::port() const
{
    return m_ui->cmbPort->currentText();
}

QString PortChooser::device() const
{
    return m_ui->editDevice->text().trimmed();
}

void PortChooser::refresh()
{
    m_ui->listPorts->clear();
    for (const orvo::SystemPort& port : orvo::systemPorts()) {
        m_ui->listPorts->addTopLevelItem(new QTreeWidgetItem(QStringList{
            QString::fromStdString(port.path), QString::fromStdString(port.description),
            QString::fromStdString(port.manufacturer), QString::fromStdString(port.serialNumber)}));
    }
    for (int column = 0; column < m_ui->listPorts->columnCount(); ++column)
        m_ui->listPorts->resizeColumnToContents(column);
}
