// The main window's menus beyond what its form fixes: the recent files in the File menu, the
// Port menu's controller, View > Language, and the manual behind Help > Contents.
#include "app/main_window.h"

#include "app/application.h"
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

void MainWindow::addRecentFileItems(QMenu* file, QAction* before)
{
    for (int i = 0; i < Settings::kMaxRecentFiles; ++i) {
        auto* item = new QAction(this);
        item->setObjectName(QStringLiteral("ID_FILE_MRU_FILE%1").arg(i + 1));
        item->setStatusTip(tr("Open this document"));
        connect(item, &QAction::triggered, this, [this, item] {
            if (m_app)
                m_app->openFile(item->data().toString());
        });
        file->insertAction(before, item);
        m_recentFileItems.append(item);
    }
    m_recentFileItems.append(file->insertSeparator(before));
    connect(file, &QMenu::aboutToShow, this, &MainWindow::updateRecentFileItems);
    updateRecentFileItems();
}

void MainWindow::updateRecentFileItems()
{
    const QStringList files = Settings().recentFiles();
    for (int i = 0; i < Settings::kMaxRecentFiles; ++i) {
        QAction* item = m_recentFileItems.at(i);
        item->setVisible(i < files.size());
        if (i < files.size()) {
            QString name = QDir::toNativeSeparators(files.at(i));
            item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
                name.replace(QLatin1Char('&'), QLatin1String("&&"))));
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
    m_ports = new PortController(items, this, this);
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
            Settings().setLanguage(language);
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
