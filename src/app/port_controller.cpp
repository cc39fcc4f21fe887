#include "app/port_controller.h"

#include "core/link/port_names.h"
#include "document/message_text.h"
#include "document/settings.h"
#include "serial/system_ports.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"
#include "widgets/port_chooser.h"

#include <QAction>
#include <QActionGroup>
#include <QVariant>

namespace {

// Where an item's own text is kept while the menu adds the device to it.
constexpr const char* kFixedText = "fixedText";

} // namespace

PortController::PortController(Settings& settings, QWidget* parent, QObject* owner)
    : QObject(owner), m_settings(settings), m_group(new QActionGroup(this)), m_parent(parent)
{
    for (int n = 1; n <= 4; ++n)
        m_chosen[static_cast<std::size_t>(n - 1)] = settings.portDevice(n).toStdString();
    m_group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    connect(m_group, &QActionGroup::triggered, this, [this](QAction* item) {
        m_port = item->data().toString();
        const std::string device = devicePath(m_port);
        if (!orvo::portDeviceExists(device)) {
            messageBox(m_parent, tr("%1 stands for %2, which is not there now. Plug the cable "
                                    "in, or give %1 another device with Port > Choose Port.")
                                     .arg(m_port, QString::fromStdString(device)));
        }
    });
}

void PortController::setItems(const QList<QAction*>& items)
{
    for (QAction* item : items) {
        item->setCheckable(true);
        m_group->addAction(item);
    }
    if (!items.isEmpty()) {
        items.first()->setChecked(true);
        m_port = items.first()->data().toString();
    }
}

std::string PortController::devicePath(const QString& port) const
{
    return orvo::systemPortPath(port.toStdString(), m_chosen);
}

orvo::RadioPort PortController::radioPort() const
{
    return {m_port.toStdString(), devicePath(m_port)};
}

QAction* PortController::itemOf(const QString& port) const
{
    for (QAction* item : m_group->actions()) {
        if (item->data().toString() == port)
            return item;
    }
    return nullptr;
}

void PortController::showDevices()
{
    for (QAction* item : m_group->actions()) {
        const std::string port = item->data().toString().toStdString();
        QVariant fixed = item->property(kFixedText);
        if (!fixed.isValid()) {
            fixed = item->text();
            item->setProperty(kFixedText, fixed);
        }
        // Looked up each time the menu opens: adapters come and go, and ORVO_COMn may say
        // otherwise. The shortcut text stays at the end of the item.
        const QString device = translatedWord(orvo::describePort(port, m_chosen));
        const bool gone = !orvo::portDeviceExists(devicePath(item->data().toString()));
        QStringList parts = fixed.toString().split(QLatin1Char('\t'));
        parts.first() +=
            QStringLiteral("  \u2014  ") + device + (gone ? tr("  (gone)") : QString());
        item->setText(parts.join(QLatin1Char('\t')));
        item->setEnabled(!devicePath(item->data().toString()).empty());
    }
}

void PortController::choosePort()
{
    PortChooser dialog(m_port, m_chosen, m_parent);
    if (execDialog(dialog) != QDialog::Accepted)
        return;
    const int n = orvo::comPortNumber(dialog.port().toStdString());
    QAction* item = itemOf(dialog.port());
    if (n < 1 || n > 4 || !item)
        return;
    m_chosen[static_cast<std::size_t>(n - 1)] = dialog.device().toStdString();
    m_settings.setPortDevice(n, dialog.device());
    // The port just given a device is the one the user means to use. Its item may still be
    // disabled from the last time the menu showed it without a device.
    item->setEnabled(!devicePath(dialog.port()).empty());
    item->trigger();
}
