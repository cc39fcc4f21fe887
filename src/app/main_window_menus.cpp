// The main window's menus beyond what its form fixes: the recent files in the File menu, the
// Port menu's controller, View > Language, and the manual behind Help > Contents.
#include "app/main_window.h"

#include "app/file_controller.h"
#include "app/port_controller.h"
#include "document/language.h"
#include "document/settings.h"
#include "widgets/form_view.h"
#include "widgets/help_window.h"
#include "widgets/message_box.h"

#include "ui_main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QMenu>

namespace {

// A recent file's path as its menu item shows it: a long one loses its middle, so the menu keeps
// a sensible width and the item still shows where the file lies and its name.
QString shownPath(const QString& path)
{
    constexpr qsizetype kHead = 30;
    constexpr qsizetype kTail = 45;
    if (path.size() <= kHead + kTail + 1)
        return path;
    return path.left(kHead) + QChar(0x2026) + path.right(kTail);
}

} // namespace

void MainWindow::addRecentFileItems(QMenu* file, QAction* before)
{
    for (int i = 0; i < Settings::kMaxRecentFiles; ++i) {
        auto* item = new QAction(this);
        item->setObjectName(QStringLiteral("ID_FILE_MRU_FILE%1").arg(i + 1));
        connect(item, &QAction::triggered, this,
                [this, item] { m_files->openFile(item->data().toString()); });
        file->insertAction(before, item);
        m_recentFileItems.append(item);
    }
    m_recentFileItems.append(file->insertSeparator(before));
    showRecentFiles(m_files->recentFiles());
}

void MainWindow::showRecentFiles(const QStringList& files)
{
    for (int i = 0; i < Settings::kMaxRecentFiles; ++i) {
        QAction* item = m_recentFileItems.at(i);
        item->setVisible(i < files.size());
        if (i < files.size()) {
            const QString name = QDir::toNativeSeparators(files.at(i));
            QString shown = shownPath(name);
            item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
                shown.replace(QLatin1Char('&'), QLatin1String("&&"))));
            item->setStatusTip(name);
            item->setData(files.at(i));
        }
    }
    m_recentFileItems.last()->setVisible(!files.isEmpty()); // the separator before Exit
}

void MainWindow::createPortMenu()
{
    // The items show shortcut texts, but no key selects a port.
    const Ui::MainWindow& ui = *m_ui;
    const std::pair<QAction*, const char*> ports[] = {
        {ui.ID_COM1, "COM1"}, {ui.ID_COM2, "COM2"}, {ui.ID_COM3, "COM3"}, {ui.ID_COM4, "COM4"}};
    QList<QAction*> items;
    for (const auto& [item, port] : ports) {
        item->setData(QString::fromLatin1(port));
        items.append(item);
    }
    m_ports->setItems(items);
    connect(ui.ID_CHOOSE_PORT, &QAction::triggered, m_ports, &PortController::choosePort);
    connect(ui.menuPort, &QMenu::aboutToShow, m_ports, &PortController::showDevices);
}

void MainWindow::createHelpMenu()
{
    connect(m_ui->ID_HELP_FINDER, &QAction::triggered, this, &MainWindow::showHelp);
}

void MainWindow::addLanguageMenu()
{
    QMenu* menu = m_ui->menuLanguage;
    auto* group = new QActionGroup(menu);
    // Each language is named in its own words, whatever the window speaks.
    const std::pair<Language, QString> languages[] = {
        {Language::English, QStringLiteral("English")},
        {Language::Chinese, QStringLiteral("\u4E2D\u6587")},
    };
    for (const auto& entry : languages) {
        const Language language = entry.first;
        QAction* item = menu->addAction(entry.second);
        item->setObjectName(QStringLiteral("language_") + languageKey(language));
        item->setCheckable(true);
        item->setChecked(language == activeLanguage());
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, language] {
            m_settings.setLanguage(language);
            if (language != activeLanguage())
                messageBox(this,
                           tr("The window changes its language when the program is "
                              "started again."),
                           QString(), QMessageBox::Information);
        });
    }
}

void MainWindow::showHelp()
{
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}
