#include "app/main_window.h"

#include "app/edit_controller.h"
#include "app/file_controller.h"
#include "app/lock_keys.h"
#include "app/port_controller.h"
#include "app/print_controller.h"
#include "app/testmode_controller.h"
#include "app/transfer_controller.h"
#include "document/document.h"
#include "widgets/about_dialog.h"
#include "widgets/form_view.h"
#include "widgets/grid/channel_table.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUndoStack>

MainWindow::MainWindow(const Parts& parts, QWidget* parent)
    : QMainWindow(parent), m_document(parts.document), m_settings(parts.settings),
      m_view(parts.view), m_files(parts.files), m_edit(parts.edit), m_print(parts.print),
      m_ports(parts.ports), m_transfers(parts.transfers), m_testMode(parts.testMode)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(appTitle());
    resize(850, 640);
    setCentralWidget(m_view);
    setAcceptDrops(true);

    createMenus();
    createToolBar();
    createStatusBar();
    connect(m_view, &FormView::statusHint, this, &MainWindow::setMessageText);
    connect(m_files, &FileController::documentReplaced, m_view, &FormView::resetForm);
    connect(m_files, &FileController::recentFilesChanged, this, &MainWindow::showRecentFiles);
    connect(m_transfers, &TransferController::runningChanged, this, [this](bool running) {
        // The form is not for editing while the radio is read into it or written from it, and
        // nothing replaces the document meanwhile.
        if (QWidget* form = m_view->widget())
            form->setEnabled(!running);
        m_files->setBusy(running);
        updateCommandStates();
    });
    connect(m_transfers, &TransferController::closeRequested, this, &QWidget::close);
    qApp->installEventFilter(this);
    updateCommandStates();
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
}

QAction* MainWindow::addCommand(int id, const char* name, const QString& text,
                                const QString& prompt)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setProperty("commandId", id);
    const qsizetype newline = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(newline < 0 ? prompt : prompt.left(newline));
    action->setToolTip(newline < 0 ? QString() : prompt.mid(newline + 1));
    action->setIconVisibleInMenu(false);
    addAction(action); // keeps its accelerator live wherever the focus is in the window
    m_commands[id] = action;
    return action;
}

void MainWindow::about()
{
    AboutDialog dialog(this);
    execDialog(dialog);
}

QAction* MainWindow::commandAction(int commandId) const
{
    const auto it = m_commands.find(commandId);
    return it == m_commands.end() ? nullptr : it->second;
}

void MainWindow::createMenus()
{
    auto bind = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, handler);
    };

    // File
    QAction* fileNew = addCommand(ID_FILE_NEW, "ID_FILE_NEW", tr("&New\tCtrl+N"),
                                  tr("Create a new document\nNew"));
    fileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    fileNew->setIcon(QIcon(QStringLiteral(":/icons/new.png")));
    connect(fileNew, &QAction::triggered, m_files, &FileController::newFile);

    QAction* fileOpen = addCommand(ID_FILE_OPEN, "ID_FILE_OPEN", tr("&Open...\tCtrl+O"),
                                   tr("Open an existing document\nOpen"));
    fileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    fileOpen->setIcon(QIcon(QStringLiteral(":/icons/open.png")));
    connect(fileOpen, &QAction::triggered, m_files, &FileController::open);

    QAction* fileSave = addCommand(ID_FILE_SAVE, "ID_FILE_SAVE", tr("&Save\tCtrl+S"),
                                   tr("Save the active document\nSave"));
    fileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    fileSave->setIcon(QIcon(QStringLiteral(":/icons/save.png")));
    // A save stores the text of a cell editor still open, as leaving the cell would take it.
    connect(fileSave, &QAction::triggered, m_files, &FileController::save);

    QAction* fileSaveAs = addCommand(ID_FILE_SAVE_AS, "ID_FILE_SAVE_AS", tr("Save &As..."),
                                     tr("Save the active document with a new name\nSave As"));
    connect(fileSaveAs, &QAction::triggered, m_files, &FileController::saveAs);

    QAction* fileImport =
        addCommand(ID_IMPORT_CHANNELS, "ID_IMPORT_CHANNELS", tr("&Import Channels…"),
                   tr("Take the channel table from a CSV file"));
    connect(fileImport, &QAction::triggered, m_files, &FileController::importChannels);
    QAction* fileExport =
        addCommand(ID_EXPORT_CHANNELS, "ID_EXPORT_CHANNELS", tr("&Export Channels…"),
                   tr("Write the channel table as a CSV file"));
    connect(fileExport, &QAction::triggered, m_files, &FileController::exportChannels);

    QAction* filePrint = addCommand(ID_FILE_PRINT, "ID_FILE_PRINT", tr("&Print...\tCtrl+P"),
                                    tr("Print the active document\nPrint"));
    filePrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    filePrint->setIcon(QIcon(QStringLiteral(":/icons/print.png")));
    connect(filePrint, &QAction::triggered, m_print, &PrintController::print);

    QAction* filePreview =
        addCommand(ID_FILE_PRINT_PREVIEW, "ID_FILE_PRINT_PREVIEW", tr("Print Pre&view"),
                   tr("Display full pages\nPrint Preview"));
    connect(filePreview, &QAction::triggered, m_print, &PrintController::preview);

    QAction* fileSetup =
        addCommand(ID_FILE_PRINT_SETUP, "ID_FILE_PRINT_SETUP", tr("P&rint Setup..."),
                   tr("Change the printer and printing options\nPrint Setup"));
    connect(fileSetup, &QAction::triggered, m_print, &PrintController::pageSetup);

    QAction* appExit = addCommand(ID_APP_EXIT, "ID_APP_EXIT", tr("E&xit"),
                                  tr("Quit the application; prompts to save documents\nExit"));
    connect(appExit, &QAction::triggered, this, &QWidget::close);

    // Program
    QAction* read = addCommand(ID_READ_FROM_RADIO, "ID_READ_FROM_RADIO",
                               tr("&Read From Radio\tCtrl+R"), tr("Read Data From Radio\nRead"));
    read->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    read->setIcon(QIcon(QStringLiteral(":/icons/read.png")));
    bind(read, [this] { m_transfers->read(); });

    QAction* write = addCommand(ID_WRITE_TO_RADIO, "ID_WRITE_TO_RADIO",
                                tr("&Write To Radio\tCtrl+W"), tr("Write Data to Radio \nWrite"));
    write->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    write->setIcon(QIcon(QStringLiteral(":/icons/write.png")));
    bind(write, [this] { m_transfers->write(); });

    QAction* verify =
        addCommand(ID_VERIFY_WITH_RADIO, "ID_VERIFY_WITH_RADIO", tr("&Verify With Radio"),
                   tr("Compare the radio with the document\nVerify"));
    bind(verify, [this] { m_transfers->verify(); });
    QAction* several = addCommand(ID_WRITE_TO_SEVERAL_RADIOS, "ID_WRITE_TO_SEVERAL_RADIOS",
                                  tr("Write To &Several Radios…"),
                                  tr("Write and verify one radio after the other"));
    bind(several, [this] { m_transfers->writeToSeveralRadios(); });

    QAction* test = addCommand(ID_TEST_MODE, "ID_TEST_MODE", tr("&Test Mode\tCtrl+T"),
                               tr("Debug TX Power,Squelch Level,Low Power Alert\nDebug on line"));
    test->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    test->setIcon(QIcon(QStringLiteral(":/icons/testmode.png")));
    bind(test, [this] { m_testMode->open(); });

    QAction* optional = addCommand(ID_OPTIONAL_FEATURES, "ID_OPTIONAL_FEATURES",
                                   tr("Optional Features"), QString());
    connect(optional, &QAction::triggered, m_edit, &EditController::optionalFeatures);

    // View: the check marks follow the bars, also when the toolbar's own menu hides it.
    QAction* viewToolbar = addCommand(ID_VIEW_TOOLBAR, "ID_VIEW_TOOLBAR", tr("&Toolbar"),
                                      tr("Show or hide the toolbar\nToggle ToolBar"));
    viewToolbar->setCheckable(true);
    viewToolbar->setChecked(true);
    connect(viewToolbar, &QAction::toggled, this, [this](bool on) { m_toolBar->setVisible(on); });

    QAction* viewStatus = addCommand(ID_VIEW_STATUS_BAR, "ID_VIEW_STATUS_BAR", tr("&Status Bar"),
                                     tr("Show or hide the status bar\nToggle StatusBar"));
    viewStatus->setCheckable(true);
    viewStatus->setChecked(true);
    connect(viewStatus, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    // Toolbar only
    QAction* about =
        addCommand(ID_APP_ABOUT, "ID_APP_ABOUT", tr("&About Orvo..."),
                   tr("Display program information, version number and copyright\nAbout"));
    about->setIcon(QIcon(QStringLiteral(":/icons/about.png")));
    connect(about, &QAction::triggered, this, &MainWindow::about);

    // F6 and Shift+F6 move between panes; the window has a single pane, so they do nothing.
    QAction* nextPane = addCommand(ID_NEXT_PANE, "ID_NEXT_PANE", tr("Next Pane"),
                                   tr("Switch to the next window pane\nNext Pane"));
    nextPane->setShortcut(QKeySequence(Qt::Key_F6));
    QAction* prevPane = addCommand(ID_PREV_PANE, "ID_PREV_PANE", tr("Previous Pane"),
                                   tr("Switch back to the previous window pane\nPrevious Pane"));
    prevPane->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));

    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    file->addActions({fileNew, fileOpen, fileSave, fileSaveAs});
    file->addSeparator();
    file->addActions({fileImport, fileExport});
    file->addSeparator();
    file->addActions({filePrint, filePreview, fileSetup});
    file->addSeparator();
    file->addAction(appExit);
    addRecentFileItems(file, appExit);

    QMenu* edit = createEditMenu();

    QMenu* program = bar->addMenu(tr("&Program"));
    program->setObjectName(QStringLiteral("menuProgram"));
    program->addAction(read);
    program->addSeparator();
    program->addAction(write);
    program->addActions({verify, several});
    program->addSeparator();
    program->addAction(test);
    program->addSeparator();
    program->addAction(optional);

    QMenu* port = createPortMenu();

    QMenu* viewMenu = bar->addMenu(tr("&View"));
    viewMenu->setObjectName(QStringLiteral("menuView"));
    viewMenu->addActions({viewToolbar, viewStatus});
    addLanguageMenu(viewMenu);
    createHelpMenu();

    for (QMenu* menu : {file, edit, program, port, viewMenu})
        menu->setToolTipsVisible(false);
}

QMenu* MainWindow::createEditMenu()
{
    QUndoStack* stack = m_document.undoStack();

    // Undo and Redo work wherever the focus is; a cell editor keeps its own for its text.
    QAction* undo = addCommand(ID_EDIT_UNDO, "ID_EDIT_UNDO", tr("&Undo\tCtrl+Z"),
                               tr("Undo the last action\nUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = addCommand(ID_EDIT_REDO, "ID_EDIT_REDO", tr("&Redo\tCtrl+Y"),
                               tr("Redo the previously undone action\nRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo, &QAction::triggered, m_edit, &EditController::undo);
    connect(redo, &QAction::triggered, m_edit, &EditController::redo);
    connect(stack, &QUndoStack::indexChanged, this, &MainWindow::updateUndoActions);

    // The row commands act on the grid's rows, so their keys work while the grid (or a cell
    // editor that leaves the key unused) has the focus.
    auto rowCommand = [this](int id, const char* name, const QString& text, const QString& prompt,
                             const QKeySequence& key, void (EditController::*handler)()) {
        QAction* action = addCommand(id, name, text, prompt);
        removeAction(action);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        m_view->grid()->addAction(action);
        connect(action, &QAction::triggered, m_edit, handler);
        return action;
    };
    QAction* cut = rowCommand(ID_EDIT_CUT, "ID_EDIT_CUT", tr("Cu&t\tCtrl+X"),
                              tr("Cut the selected channels to the clipboard\nCut"),
                              QKeySequence(Qt::CTRL | Qt::Key_X), &EditController::cut);
    QAction* copy = rowCommand(ID_EDIT_COPY, "ID_EDIT_COPY", tr("&Copy\tCtrl+C"),
                               tr("Copy the selected channels to the clipboard\nCopy"),
                               QKeySequence(Qt::CTRL | Qt::Key_C), &EditController::copy);
    QAction* paste =
        rowCommand(ID_EDIT_PASTE, "ID_EDIT_PASTE", tr("&Paste\tCtrl+V"),
                   tr("Paste channels from the clipboard onto the selected channels\nPaste"),
                   QKeySequence(Qt::CTRL | Qt::Key_V), &EditController::paste);
    QAction* clear = rowCommand(ID_EDIT_CLEAR, "ID_EDIT_CLEAR", tr("&Delete Channel\tDel"),
                                tr("Empty the selected channels\nDelete Channel"),
                                QKeySequence(Qt::Key_Delete), &EditController::deleteChannels);
    QAction* up = rowCommand(ID_EDIT_MOVE_UP, "ID_EDIT_MOVE_UP", tr("Move &Up\tAlt+Up"),
                             tr("Move the selected channels one place up\nMove Up"),
                             QKeySequence(Qt::ALT | Qt::Key_Up), &EditController::moveUp);
    QAction* down = rowCommand(ID_EDIT_MOVE_DOWN, "ID_EDIT_MOVE_DOWN", tr("Move Do&wn\tAlt+Down"),
                               tr("Move the selected channels one place down\nMove Down"),
                               QKeySequence(Qt::ALT | Qt::Key_Down), &EditController::moveDown);

    ChannelTable* grid = m_view->grid();
    connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::updateMoveActions);
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainWindow::updateMoveActions);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("menuEdit"));
    edit->addActions({undo, redo});
    edit->addSeparator();
    edit->addActions({cut, copy, paste, clear});
    edit->addSeparator();
    edit->addActions({up, down});
    return edit;
}

void MainWindow::createToolBar()
{
    m_toolBar = new QToolBar(tr("Toolbar"), this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(18, 18));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->addAction(commandAction(ID_FILE_NEW));
    m_toolBar->addAction(commandAction(ID_FILE_OPEN));
    m_toolBar->addAction(commandAction(ID_FILE_SAVE));
    m_toolBar->addSeparator();
    m_toolBar->addAction(commandAction(ID_READ_FROM_RADIO));
    m_toolBar->addAction(commandAction(ID_WRITE_TO_RADIO));
    m_toolBar->addAction(commandAction(ID_TEST_MODE));
    m_toolBar->addSeparator();
    m_toolBar->addAction(commandAction(ID_FILE_PRINT));
    m_toolBar->addAction(commandAction(ID_APP_ABOUT));
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    connect(m_toolBar, &QToolBar::visibilityChanged, this,
            [this] { commandAction(ID_VIEW_TOOLBAR)->setChecked(!m_toolBar->isHidden()); });
}

void MainWindow::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    m_paneMessage = new QLabel(tr("Ready"), bar);
    m_paneMessage->setObjectName(QStringLiteral("paneMessage"));
    bar->addWidget(m_paneMessage, 1);
    auto indicator = [bar](const QString& text, const char* name) {
        auto* pane = new QLabel(text, bar);
        pane->setObjectName(QString::fromLatin1(name));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(text) + 12);
        bar->addPermanentWidget(pane);
        return pane;
    };
    m_paneCaps = indicator(tr("CAP"), "indicatorCaps");
    m_paneNum = indicator(tr("NUM"), "indicatorNum");
    m_paneScroll = indicator(tr("SCRL"), "indicatorScroll");
    updateLockIndicators();
}

void MainWindow::updateLockIndicators()
{
    // A lock that is off shows its indicator greyed; when the state cannot be known, all three
    // stay greyed.
    const LockKeyState state = queryLockKeys();
    m_paneCaps->setEnabled(state.capsLock);
    m_paneNum->setEnabled(state.numLock);
    m_paneScroll->setEnabled(state.scrollLock);
}

void MainWindow::updateCommandStates()
{
    if (m_view) {
        for (int id : {ID_READ_FROM_RADIO, ID_WRITE_TO_RADIO, ID_VERIFY_WITH_RADIO,
                       ID_WRITE_TO_SEVERAL_RADIOS, ID_IMPORT_CHANNELS, ID_EXPORT_CHANNELS,
                       ID_TEST_MODE, ID_OPTIONAL_FEATURES, ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,
                       ID_FILE_SAVE_AS, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_EDIT_CUT,
                       ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_MOVE_UP, ID_EDIT_MOVE_DOWN})
            if (QAction* action = commandAction(id))
                action->setEnabled(!m_transfers->isRunning());
        updateMoveActions();
        // No recent file replaces the document while the radio is read into it or written
        // from it.
        for (QAction* item : m_recentFileItems)
            item->setEnabled(!m_transfers->isRunning());
    }
    updateUndoActions();
}

void MainWindow::updateMoveActions()
{
    // Move Up on channel 1 and Move Down on channel 16 would do nothing.
    const bool idle = !m_transfers || !m_transfers->isRunning();
    commandAction(ID_EDIT_MOVE_UP)->setEnabled(idle && m_edit->canMove(-1));
    commandAction(ID_EDIT_MOVE_DOWN)->setEnabled(idle && m_edit->canMove(1));
}

void MainWindow::updateUndoActions()
{
    // Nothing is undone while the radio is read into the document or written from it.
    const QUndoStack* stack = m_document.undoStack();
    const bool idle = !m_transfers || !m_transfers->isRunning();
    QAction* undo = commandAction(ID_EDIT_UNDO);
    QAction* redo = commandAction(ID_EDIT_REDO);
    undo->setEnabled(idle && stack->canUndo());
    redo->setEnabled(idle && stack->canRedo());
    const QString undoText = stack->undoText();
    const QString redoText = stack->redoText();
    undo->setText(undoText.isEmpty() ? tr("&Undo\tCtrl+Z") : tr("&Undo %1\tCtrl+Z").arg(undoText));
    redo->setText(redoText.isEmpty() ? tr("&Redo\tCtrl+Y") : tr("&Redo %1\tCtrl+Y").arg(redoText));
}

void MainWindow::setMessageText(const QString& text)
{
    statusBar()->clearMessage();
    m_paneMessage->setText(text);
}

QString MainWindow::messageText() const
{
    const QString temporary = statusBar()->currentMessage();
    return temporary.isEmpty() ? m_paneMessage->text() : temporary;
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    updateLockIndicators();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_transfers->queryClose() || !m_files->canReplaceDocument()) {
        event->ignore();
        return;
    }
    event->accept();
}

namespace {

// The one local .sin or .csv file of a drop; empty for anything else.
QString droppedFile(const QMimeData* data)
{
    if (!data || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return QString();
    const QString path = data->urls().first().toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("sin") || suffix == QLatin1String("csv") ? path : QString();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    m_files->openDropped(path);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            updateLockIndicators();
        break;
    }
    case QEvent::ApplicationActivate:
        updateLockIndicators();
        break;
    case QEvent::StatusTip:
        // An item without a prompt leaves the status bar blank while it is highlighted, rather
        // than showing the message pane's text through.
        if (watched == this && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
            const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu && menu->activeAction() && !menu->activeAction()->isSeparator()) {
                statusBar()->showMessage(QStringLiteral(" "));
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
