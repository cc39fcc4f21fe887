// The main window's menus beyond the fixed command table: the recent files in the File menu,
// the Port menu, and the Help menu with the manual behind F1.
#include "app/main_window.h"

#include "app/file_controller.h"
#include "app/port_controller.h"
#include "document/language.h"
#include "document/settings.h"
#include "widgets/form_view.h"
#include "widgets/help_window.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QMenu>
#include <QMenuBar>

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
        item->setProperty("commandId", ID_FILE_MRU_FILE1 + i);
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

QMenu* MainWindow::createPortMenu()
{
    // The shortcut texts are shown, but no key selects a port.
    struct PortItem
    {
        int id;
        const char* name;
        const char* port;
        QString text;
        QString prompt;
    };
    const PortItem ports[] = {
        {ID_COM1, "ID_COM1", "COM1", tr("COM1(&P)\tCtrl+C"),
         tr("Choose Communication Port one \nCom1")},
        {ID_COM2, "ID_COM2", "COM2", tr("COM2(&Q)\tCtrl+D"),
         tr("Choose Communication Port two \nCom2")},
        {ID_COM3, "ID_COM3", "COM3", tr("COM3(&S)\tCtrl+E"),
         tr("Choose Communication Port three \nCom3")},
        {ID_COM4, "ID_COM4", "COM4", tr("COM4(&T)\tCtrl+F"),
         tr("Choose Communication Port four \nCom4")},
    };
    QList<QAction*> items;
    for (const PortItem& port : ports) {
        QAction* item = addCommand(port.id, port.name, port.text, port.prompt);
        item->setData(QString::fromLatin1(port.port));
        items.append(item);
    }
    m_ports->setItems(items);

    QAction* choose = addCommand(ID_CHOOSE_PORT, "ID_CHOOSE_PORT", tr("Choose Port…"),
                                 tr("Choose the serial device that COM1 to COM4 stand for\n"
                                    "Choose Port"));
    connect(choose, &QAction::triggered, m_ports, &PortController::choosePort);

    QMenu* menu = menuBar()->addMenu(tr("P&ort"));
    menu->setObjectName(QStringLiteral("menuPort"));
    menu->addActions(items);
    menu->addSeparator();
    menu->addAction(choose);
    connect(menu, &QMenu::aboutToShow, m_ports, &PortController::showDevices);
    return menu;
}

void MainWindow::createHelpMenu()
{
    QAction* contents = addCommand(ID_HELP_FINDER, "ID_HELP_FINDER", tr("&Contents\tF1"),
                                   tr("Show the user manual\nHelp"));
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    connect(contents, &QAction::triggered, this, &MainWindow::showHelp);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("menuHelp"));
    help->setToolTipsVisible(false);
    help->addAction(contents);
    help->addSeparator();
    help->addAction(commandAction(ID_APP_ABOUT));
}

void MainWindow::addLanguageMenu(QMenu* view)
{
    QMenu* menu = view->addMenu(tr("&Language"));
    menu->setObjectName(QStringLiteral("menuLanguage"));
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
