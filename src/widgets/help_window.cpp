#include "widgets/help_window.h"

#include "document/language.h"

#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// The anchor a Markdown heading has where the manual is read on the web ("## Verifying a radio"
// is #verifying-a-radio): lower case, punctuation dropped, blanks as hyphens. Letters of every
// script stay ("## 核对对讲机" is #核对对讲机), so the Chinese manual's Contents jump too.
QString headingAnchor(const QString& heading)
{
    static const QRegularExpression punctuation(QStringLiteral("[^\\w\\- ]"),
                                                QRegularExpression::UseUnicodePropertiesOption);
    QString anchor = heading.toLower();
    anchor.remove(punctuation);
    anchor.replace(QLatin1Char(' '), QLatin1Char('-'));
    return anchor;
}

// Gives every heading of `document` its anchor, so the Contents' links jump to it.
void anchorHeadings(QTextDocument* document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        QTextCursor cursor(block);
        cursor.select(QTextCursor::BlockUnderCursor);
        QTextCharFormat format;
        format.setAnchor(true);
        format.setAnchorNames({headingAnchor(block.text())});
        cursor.mergeCharFormat(format);
    }
}

} // namespace

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
    if (manual.open(QIODevice::ReadOnly)) {
        m_browser->setMarkdown(QString::fromUtf8(manual.readAll()));
        anchorHeadings(m_browser->document());
    }
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    resize(qMin(760, available.width()), qMin(available.height() * 9 / 10, 900));
}
