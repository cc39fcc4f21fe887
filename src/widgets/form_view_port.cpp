// The Port menu: which serial port the next transfer or test-mode exchange opens, each item with
// the device it stands for now. Choosing a port never touches the device; the name is kept in
// memory only.
#include "widgets/form_view.h"

#include "serial/system_ports.h"

#include <QAction>
#include <QVariant>

namespace {

void checkIfChosen(QAction* action, const QString& chosen, const char* name)
{
    if (action)
        action->setChecked(chosen == QLatin1String(name));
}

// The port name of a Port menu item (objectName "ID_COM1".."ID_COM4"), or empty for any other.
QString portOfCommand(const QString& objectName)
{
    return objectName.startsWith(QLatin1String("ID_COM")) ? objectName.mid(3) : QString();
}

// Where the item's own text is kept while the menu adds the device to it.
constexpr const char* kFixedText = "fixedText";

} // namespace

void FormView::OnCom1()
{
    m_strPort = QStringLiteral("COM1");
}
void FormView::OnCom2()
{
    m_strPort = QStringLiteral("COM2");
}
void FormView::OnCom3()
{
    m_strPort = QStringLiteral("COM3");
}
void FormView::OnCom4()
{
    m_strPort = QStringLiteral("COM4");
}

void FormView::OnUpdateCom1(QAction* action) const
{
    checkIfChosen(action, m_strPort, "COM1");
}
void FormView::OnUpdateCom2(QAction* action) const
{
    checkIfChosen(action, m_strPort, "COM2");
}
void FormView::OnUpdateCom3(QAction* action) const
{
    checkIfChosen(action, m_strPort, "COM3");
}
void FormView::OnUpdateCom4(QAction* action) const
{
    checkIfChosen(action, m_strPort, "COM4");
}

void FormView::ShowPortDevices(const QList<QAction*>& items, bool open)
{
    if (!open)
        return;
    for (QAction* action : items) {
        const QString port = portOfCommand(action->objectName());
        if (port.isEmpty())
            continue;
        QVariant fixed = action->property(kFixedText);
        if (!fixed.isValid()) {
            fixed = action->text();
            action->setProperty(kFixedText, fixed);
        }
        // Looked up each time the menu opens: adapters come and go, and ORVO_COMn may say
        // otherwise. The shortcut text stays at the end of the item.
        const QString device = QString::fromStdString(orvo::describePort(port.toStdString()));
        QStringList parts = fixed.toString().split(QLatin1Char('\t'));
        parts.first() += QStringLiteral("  \u2014  ") + device;
        action->setText(parts.join(QLatin1Char('\t')));
        action->setEnabled(!orvo::systemPortPath(port.toStdString()).empty());
    }
}
