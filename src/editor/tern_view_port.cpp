// The Port menu: which serial port the next transfer or test-mode exchange opens. Choosing a
// port never touches the device; the name is kept in memory only.
#include "editor/tern_view.h"

#include "link/system_ports.h"

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

// Where the item's fixed prompt is kept while the menu shows the device in its place.
constexpr const char* kFixedPrompt = "fixedPrompt";

} // namespace

void CTernView::OnCom1()
{
    m_strPort = QStringLiteral("COM1");
}
void CTernView::OnCom2()
{
    m_strPort = QStringLiteral("COM2");
}
void CTernView::OnCom3()
{
    m_strPort = QStringLiteral("COM3");
}
void CTernView::OnCom4()
{
    m_strPort = QStringLiteral("COM4");
}

void CTernView::OnUpdateCom1(QAction* action) const
{
    checkIfChosen(action, m_strPort, "COM1");
}
void CTernView::OnUpdateCom2(QAction* action) const
{
    checkIfChosen(action, m_strPort, "COM2");
}
void CTernView::OnUpdateCom3(QAction* action) const
{
    checkIfChosen(action, m_strPort, "COM3");
}
void CTernView::OnUpdateCom4(QAction* action) const
{
    checkIfChosen(action, m_strPort, "COM4");
}

void CTernView::ShowPortDevices(const QList<QAction*>& items, bool open)
{
    for (QAction* action : items) {
        const QString port = portOfCommand(action->objectName());
        if (port.isEmpty())
            continue;
        QVariant fixed = action->property(kFixedPrompt);
        if (!fixed.isValid()) {
            fixed = action->statusTip();
            action->setProperty(kFixedPrompt, fixed);
        }
        QString prompt = fixed.toString();
        if (open) {
            // Looked up each time the menu opens: adapters come and go, and ORVO_COMn may say
            // otherwise. A system that names its ports COMn gives the name back unchanged.
            const QString device = QString::fromStdString(orvo::systemPortPath(port.toStdString()));
            if (device != port) {
                if (!prompt.endsWith(QLatin1Char(' ')))
                    prompt += QLatin1Char(' ');
                prompt += device.isEmpty() ? QStringLiteral("(no device)")
                                           : QStringLiteral("(%1)").arg(device);
            }
        }
        action->setStatusTip(prompt);
    }
}
