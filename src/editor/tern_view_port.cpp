// The Port menu: which serial port the next transfer or test-mode exchange opens. Choosing a
// port never touches the device; the name is kept in memory only.
#include "editor/tern_view.h"

#include <QAction>

namespace {

void checkIfChosen(QAction* action, const QString& chosen, const char* name)
{
    if (action)
        action->setChecked(chosen == QLatin1String(name));
}

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
