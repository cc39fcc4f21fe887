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

PortController::PortController(const QList<QAction*>& items, QWidget* window, QObject* parent)
    : QObject(parent), m_group(new QActionGroup(this)), m_window(window)
{
    m_group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (QAction* item : items) {
        item->setCheckable(true);
        m_group->addAction(item);
    }
    if (!items.isEmpty()) {
        items.first()->setChecked(true);
        m_port = items.first()->data().toString();
    }
    connect(m_group, &QActionGroup::triggered, this, [this](QAction* item) {
        m_port = item->data().toString();
        const std::string device = orvo::systemPortPath(m_port.toStdString());
        if (!orvo::portDeviceExists(device)) {
            messageBox(m_window, tr("%1 stands for %2, which is not there now. Plug the cable "
                                    "in, or give %1 another device with Port > Choose Port.")
                                     .arg(m_port, QString::fromStdString(device)));
        }
        emit portChosen(m_port);
    });
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
        const QString device = translatedWord(orvo::describePort(port));
        const bool gone = !orvo::portDeviceExists(orvo::systemPortPath(port));
        QStringList parts = fixed.toString().split(QLatin1Char('\t'));
        parts.first() +=
            QStringLiteral("  \u2014  ") + device + (gone ? tr("  (gone)") : QString());
        item->setText(parts.join(QLatin1Char('\t')));
        item->setEnabled(!orvo::systemPortPath(port).empty());
    }
}

void PortController::choosePort()
{
    PortChooser dialog(m_port, m_window);
    if (execDialog(dialog) != QDialog::Accepted)
        return;
    const int n = orvo::comPortNumber(dialog.port().toStdString());
    QAction* item = itemOf(dialog.port());
    if (n < 1 || n > 4 || !item)
        return;
    orvo::setChosenPortDevice(n, dialog.device().toStdString());
    Settings().setPortDevice(n, dialog.device());
    // The port just given a device is the one the user means to use. Its item may still be
    // disabled from the last time the menu showed it without a device.
    item->setEnabled(!orvo::systemPortPath(dialog.port().toStdString()).empty());
    item->trigger();
}
