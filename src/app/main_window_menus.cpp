// The main window's menus beyond the fixed command table: the recent files in the File menu,
// Port > Choose Port, and the Help menu with the manual behind F1.
#include "app/main_window.h"

#include "app/application.h"
#include "core/link/port_names.h"
#include "document/settings.h"
#include "serial/system_ports.h"
#include "widgets/form_view.h"
#include "widgets/help_window.h"
#include "widgets/modal_dialog.h"
#include "widgets/port_chooser.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>

void MainWindow::addRecentFileItems(QMenu* file, QAction* before)
{
    for (int i = 0; i < Settings::kMaxRecentFiles; ++i) {
        auto* item = new QAction(this);
        item->setObjectName(QStringLiteral("ID_FILE_MRU_FILE%1").arg(i + 1));
        item->setProperty("commandId", ID_FILE_MRU_FILE1 + i);
        item->setStatusTip(QStringLiteral("Open this document"));
        connect(item, &QAction::triggered, this, [this, item] {
            if (m_pApp)
                m_pApp->OpenDocumentFile(item->data().toString());
            UpdateCommandUI();
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

void MainWindow::addChoosePortItem(QMenu* port)
{
    port->addSeparator();
    QAction* choose =
        addCommand(ID_CHOOSE_PORT, "ID_CHOOSE_PORT", QStringLiteral("Choose Port\u2026"),
                   QStringLiteral("Choose the serial device that COM1 to COM4 stand for\n"
                                  "Choose Port"));
    connect(choose, &QAction::triggered, this, &MainWindow::OnChoosePort);
    port->addAction(choose);
}

void MainWindow::OnChoosePort()
{
    PortChooser dialog(m_pView->port(), this);
    if (AppExecDialog(dialog) != QDialog::Accepted)
        return;
    const int n = orvo::comPortNumber(dialog.port().toStdString());
    if (n < 1 || n > 4)
        return;
    orvo::setChosenPortDevice(n, dialog.device().toStdString());
    Settings().setPortDevice(n, dialog.device());
    // The port just given a device is the one the user means to use. Its item may still be
    // disabled from the last time the menu showed it without a device.
    const int items[] = {ID_COM1, ID_COM2, ID_COM3, ID_COM4};
    QAction* item = commandAction(items[n - 1]);
    item->setEnabled(!orvo::systemPortPath(dialog.port().toStdString()).empty());
    item->trigger();
}

void MainWindow::createHelpMenu()
{
    QAction* contents =
        addCommand(ID_HELP_FINDER, "ID_HELP_FINDER", QStringLiteral("&Contents\tF1"),
                   QStringLiteral("Show the user manual\nHelp"));
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    connect(contents, &QAction::triggered, this, &MainWindow::OnHelpFinder);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("menuHelp"));
    help->setToolTipsVisible(false);
    help->addAction(contents);
    help->addSeparator();
    help->addAction(commandAction(ID_APP_ABOUT));
}

void MainWindow::OnHelpFinder()
{
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}
