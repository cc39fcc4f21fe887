#include "widgets/port_chooser.h"

#include "serial/system_ports.h"

#include "ui_port_chooser_dlg.h"

#include <QPushButton>

PortChooser::PortChooser(const QString& port, const orvo::ChosenDevices& chosen, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PortChooserDlg>())
{
    m_ui->setupUi(this);
    m_ui->cmbPort->setCurrentText(port);
    // The note keeps its room while it is empty: the device box stays where the pointer found it
    // when the note appears for another port.
    m_ui->lblNote->setMinimumHeight(3 * m_ui->lblNote->fontMetrics().lineSpacing());
    m_ui->lblNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto showDevice = [this, chosen] {
        const QString port = m_ui->cmbPort->currentText();
        const int n = port.mid(3).toInt();
        const QString variable = QString::fromStdString(orvo::environmentPortDevice(n));
        // ORVO_COMn decides before any choice: the dialog says so and keeps the choice for when
        // the variable is gone.
        if (!variable.isEmpty()) {
            m_ui->lblNote->setText(tr("ORVO_COM%1 sets %2 to %3: a device chosen here takes "
                                      "effect only once that variable is unset.")
                                       .arg(n)
                                       .arg(port, variable));
            m_ui->editDevice->setText(QString::fromStdString(
                n >= 1 && n <= 4 ? chosen[static_cast<std::size_t>(n - 1)] : std::string()));
        } else {
            m_ui->lblNote->clear();
            m_ui->editDevice->setText(
                QString::fromStdString(orvo::systemPortPath(port.toStdString(), chosen)));
        }
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
