#include "widgets/help_window.h"

#include "document/language.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("Orvo Help"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);

    const bool chinese = activeLanguage() == Language::Chinese;
    QFile manual(chinese ? QStringLiteral(":/help/manual_zh_CN.md")
                         : QStringLiteral(":/help/manual.md"));
    if (manual.open(QIODevice::ReadOnly))
        m_browser->setMarkdown(QString::fromUtf8(manual.readAll()));
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    resize(qMin(760, available.width()), qMin(available.height() * 9 / 10, 900));
}
