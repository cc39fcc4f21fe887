#include "app/main_window.h"

#include "app/application.h"
#include "app/channel_csv_commands.h"
#include "app/file_document.h"
#include "app/lock_keys.h"
#include "app/testmode_controller.h"
#include "app/transfer_controller.h"
#include "widgets/form_view.h"
#include "widgets/grid/channel_table.h"
#include "widgets/message_box.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUndoStack>

MainWindow::MainWindow(FileDocument* doc, QWidget* parent) : QMainWindow(parent), m_pDoc(doc)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(AppTitle());
    resize(850, 640);

    m_pView = new FormView(doc, this);
    setCentralWidget(m_pView);
    FormView* view = m_pView;
    m_transfers = new TransferController(view, [view] { return view->port(); }, this);
    m_testMode = new TestModeController(doc, this, [view] { return view->port(); }, this);

    createMenus();
    createToolBar();
    createStatusBar();
    connect(m_pView, &FormView::statusHint, this, &MainWindow::SetMessageText);
    connect(m_transfers, &TransferController::runningChanged, this, &MainWindow::UpdateCommandUI);
    qApp->installEventFilter(this);
    UpdateCommandUI();
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

void MainWindow::callApp(void (Application::*handler)())
{
    if (m_pApp)
        (m_pApp->*handler)();
}

QAction* MainWindow::commandAction(int commandId) const
{
    const auto it = m_commands.find(commandId);
    return it == m_commands.end() ? nullptr : it->second;
}

void MainWindow::createMenus()
{
    FormView* view = m_pView;
    FileDocument* doc = m_pDoc;
    auto bind = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [this, handler] {
            handler();
            UpdateCommandUI();
        });
    };

    // File
    QAction* fileNew = addCommand(ID_FILE_NEW, "ID_FILE_NEW", QStringLiteral("&New\tCtrl+N"),
                                  QStringLiteral("Create a new document\nNew"));
    fileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    fileNew->setIcon(QIcon(QStringLiteral(":/icons/new.png")));
    bind(fileNew, [this] { callApp(&Application::OnFileNew); });

    QAction* fileOpen = addCommand(ID_FILE_OPEN, "ID_FILE_OPEN", QStringLiteral("&Open...\tCtrl+O"),
                                   QStringLiteral("Open an existing document\nOpen"));
    fileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    fileOpen->setIcon(QIcon(QStringLiteral(":/icons/open.png")));
    bind(fileOpen, [this] { callApp(&Application::OnFileOpen); });

    QAction* fileSave = addCommand(ID_FILE_SAVE, "ID_FILE_SAVE", QStringLiteral("&Save\tCtrl+S"),
                                   QStringLiteral("Save the active document\nSave"));
    fileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    fileSave->setIcon(QIcon(QStringLiteral(":/icons/save.png")));
    // A save stores the text of a cell editor still open, as leaving the cell would take it.
    bind(fileSave, [view, doc] {
        view->CommitPendingEdit();
        doc->OnFileSave();
    });

    QAction* fileSaveAs =
        addCommand(ID_FILE_SAVE_AS, "ID_FILE_SAVE_AS", QStringLiteral("Save &As..."),
                   QStringLiteral("Save the active document with a new name\nSave As"));
    bind(fileSaveAs, [view, doc] {
        view->CommitPendingEdit();
        doc->OnFileSaveAs();
    });

    QAction* fileImport = addCommand(ID_IMPORT_CHANNELS, "ID_IMPORT_CHANNELS",
                                     QStringLiteral("&Import Channels\u2026"),
                                     QStringLiteral("Take the channel table from a CSV file"));
    bind(fileImport, [view] { OnImportChannels(*view); });
    QAction* fileExport = addCommand(ID_EXPORT_CHANNELS, "ID_EXPORT_CHANNELS",
                                     QStringLiteral("&Export Channels\u2026"),
                                     QStringLiteral("Write the channel table as a CSV file"));
    bind(fileExport, [view] { OnExportChannels(*view); });
    InstallFileDrops(*this);

    QAction* filePrint =
        addCommand(ID_FILE_PRINT, "ID_FILE_PRINT", QStringLiteral("&Print...\tCtrl+P"),
                   QStringLiteral("Print the active document\nPrint"));
    filePrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    filePrint->setIcon(QIcon(QStringLiteral(":/icons/print.png")));
    bind(filePrint, [view] { view->OnFilePrint(); });

    QAction* filePreview =
        addCommand(ID_FILE_PRINT_PREVIEW, "ID_FILE_PRINT_PREVIEW", QStringLiteral("Print Pre&view"),
                   QStringLiteral("Display full pages\nPrint Preview"));
    bind(filePreview, [view] { view->OnFilePrintPreview(); });

    QAction* fileSetup =
        addCommand(ID_FILE_PRINT_SETUP, "ID_FILE_PRINT_SETUP", QStringLiteral("P&rint Setup..."),
                   QStringLiteral("Change the printer and printing options\nPrint Setup"));
    bind(fileSetup, [view] { view->OnFilePrintSetup(); });

    QAction* appExit =
        addCommand(ID_APP_EXIT, "ID_APP_EXIT", QStringLiteral("E&xit"),
                   QStringLiteral("Quit the application; prompts to save documents\nExit"));
    connect(appExit, &QAction::triggered, this, &QWidget::close);

    // Program
    QAction* read = addCommand(ID_READ_FROM_RADIO, "ID_READ_FROM_RADIO",
                               QStringLiteral("&Read From Radio\tCtrl+R"),
                               QStringLiteral("Read Data From Radio\nRead"));
    read->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    read->setIcon(QIcon(QStringLiteral(":/icons/read.png")));
    bind(read, [this] { m_transfers->read(); });

    QAction* write = addCommand(ID_WRITE_TO_RADIO, "ID_WRITE_TO_RADIO",
                                QStringLiteral("&Write To Radio\tCtrl+W"),
                                QStringLiteral("Write Data to Radio \nWrite"));
    write->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    write->setIcon(QIcon(QStringLiteral(":/icons/write.png")));
    bind(write, [this] { m_transfers->write(); });

    QAction* verify = addCommand(ID_VERIFY_WITH_RADIO, "ID_VERIFY_WITH_RADIO",
                                 QStringLiteral("&Verify With Radio"),
                                 QStringLiteral("Compare the radio with the document\nVerify"));
    bind(verify, [this] { m_transfers->verify(); });
    QAction* several = addCommand(ID_WRITE_TO_SEVERAL_RADIOS, "ID_WRITE_TO_SEVERAL_RADIOS",
                                  QStringLiteral("Write To &Several Radios\u2026"),
                                  QStringLiteral("Write and verify one radio after the other"));
    bind(several, [this] { m_transfers->writeToSeveralRadios(); });

    QAction* test =
        addCommand(ID_TEST_MODE, "ID_TEST_MODE", QStringLiteral("&Test Mode\tCtrl+T"),
                   QStringLiteral("Debug TX Power,Squelch Level,Low Power Alert\nDebug on line"));
    test->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    test->setIcon(QIcon(QStringLiteral(":/icons/testmode.png")));
    bind(test, [this] { m_testMode->open(); });

    QAction* optional = addCommand(ID_OPTIONAL_FEATURES, "ID_OPTIONAL_FEATURES",
                                   QStringLiteral("Optional Features"), QString());
    bind(optional, [view] { view->OnOptionalFeatures(); });

    // Port: the shortcut texts are shown, but no key selects a port.
    QAction* com1 = addCommand(ID_COM1, "ID_COM1", QStringLiteral("COM1(&P)\tCtrl+C"),
                               QStringLiteral("Choose Communication Port one \nCom1"));
    QAction* com2 = addCommand(ID_COM2, "ID_COM2", QStringLiteral("COM2(&Q)\tCtrl+D"),
                               QStringLiteral("Choose Communication Port two \nCom2"));
    QAction* com3 = addCommand(ID_COM3, "ID_COM3", QStringLiteral("COM3(&S)\tCtrl+E"),
                               QStringLiteral("Choose Communication Port three \nCom3"));
    QAction* com4 = addCommand(ID_COM4, "ID_COM4", QStringLiteral("COM4(&T)\tCtrl+F"),
                               QStringLiteral("Choose Communication Port four \nCom4"));
    for (QAction* com : {com1, com2, com3, com4})
        com->setCheckable(true);
    bind(com1, [view] { view->OnCom1(); });
    bind(com2, [view] { view->OnCom2(); });
    bind(com3, [view] { view->OnCom3(); });
    bind(com4, [view] { view->OnCom4(); });

    // View
    QAction* viewToolbar =
        addCommand(ID_VIEW_TOOLBAR, "ID_VIEW_TOOLBAR", QStringLiteral("&Toolbar"),
                   QStringLiteral("Show or hide the toolbar\nToggle ToolBar"));
    viewToolbar->setCheckable(true);
    bind(viewToolbar, [this] { m_wndToolBar->setVisible(m_wndToolBar->isHidden()); });

    QAction* viewStatus =
        addCommand(ID_VIEW_STATUS_BAR, "ID_VIEW_STATUS_BAR", QStringLiteral("&Status Bar"),
                   QStringLiteral("Show or hide the status bar\nToggle StatusBar"));
    viewStatus->setCheckable(true);
    bind(viewStatus, [this] { statusBar()->setVisible(statusBar()->isHidden()); });

    // Toolbar only
    QAction* about = addCommand(
        ID_APP_ABOUT, "ID_APP_ABOUT", QStringLiteral("&About Orvo..."),
        QStringLiteral("Display program information, version number and copyright\nAbout"));
    about->setIcon(QIcon(QStringLiteral(":/icons/about.png")));
    bind(about, [this] { callApp(&Application::OnAppAbout); });

    // F6 and Shift+F6 move between panes; the window has a single pane, so they do nothing.
    QAction* nextPane = addCommand(ID_NEXT_PANE, "ID_NEXT_PANE", QStringLiteral("Next Pane"),
                                   QStringLiteral("Switch to the next window pane\nNext Pane"));
    nextPane->setShortcut(QKeySequence(Qt::Key_F6));
    QAction* prevPane =
        addCommand(ID_PREV_PANE, "ID_PREV_PANE", QStringLiteral("Previous Pane"),
                   QStringLiteral("Switch back to the previous window pane\nPrevious Pane"));
    prevPane->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));

    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
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

    QMenu* program = bar->addMenu(QStringLiteral("&Program"));
    program->setObjectName(QStringLiteral("menuProgram"));
    program->addAction(read);
    program->addSeparator();
    program->addAction(write);
    program->addActions({verify, several});
    program->addSeparator();
    program->addAction(test);
    program->addSeparator();
    program->addAction(optional);

    QMenu* port = bar->addMenu(QStringLiteral("P&ort"));
    port->setObjectName(QStringLiteral("menuPort"));
    port->addActions({com1, com2, com3, com4});
    addChoosePortItem(port);
    connect(port, &QMenu::aboutToShow, view,
            [view, port] { view->ShowPortDevices(port->actions(), true); });
    connect(port, &QMenu::aboutToHide, view,
            [view, port] { view->ShowPortDevices(port->actions(), false); });

    QMenu* viewMenu = bar->addMenu(QStringLiteral("&View"));
    viewMenu->setObjectName(QStringLiteral("menuView"));
    viewMenu->addActions({viewToolbar, viewStatus});
    createHelpMenu();

    for (QMenu* menu : {file, edit, program, port, viewMenu}) {
        menu->setToolTipsVisible(false);
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateCommandUI);
    }
}

QMenu* MainWindow::createEditMenu()
{
    FormView* view = m_pView;
    QUndoStack* stack = m_pDoc->undoStack();

    // Undo and Redo work wherever the focus is; a cell editor keeps its own for its text.
    QAction* undo = addCommand(ID_EDIT_UNDO, "ID_EDIT_UNDO", QStringLiteral("&Undo\tCtrl+Z"),
                               QStringLiteral("Undo the last action\nUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = addCommand(ID_EDIT_REDO, "ID_EDIT_REDO", QStringLiteral("&Redo\tCtrl+Y"),
                               QStringLiteral("Redo the previously undone action\nRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo, &QAction::triggered, this, [view, stack] {
        view->OnLeaveCellGrid();
        stack->undo();
    });
    connect(redo, &QAction::triggered, this, [view, stack] {
        view->OnLeaveCellGrid();
        stack->redo();
    });
    auto showStack = [this, undo, redo, stack] {
        UpdateCommandUI();
        const QString undoText = stack->undoText();
        const QString redoText = stack->redoText();
        undo->setText(undoText.isEmpty() ? QStringLiteral("&Undo\tCtrl+Z")
                                         : QStringLiteral("&Undo %1\tCtrl+Z").arg(undoText));
        redo->setText(redoText.isEmpty() ? QStringLiteral("&Redo\tCtrl+Y")
                                         : QStringLiteral("&Redo %1\tCtrl+Y").arg(redoText));
    };
    connect(stack, &QUndoStack::indexChanged, this, showStack);
    connect(stack, &QUndoStack::cleanChanged, this, showStack);
    showStack();

    // The row commands act on the grid's rows, so their keys work while the grid (or a cell
    // editor that leaves the key unused) has the focus.
    auto rowCommand = [this, view](int id, const char* name, const QString& text,
                                   const QString& prompt, const QKeySequence& key,
                                   void (FormView::*handler)()) {
        QAction* action = addCommand(id, name, text, prompt);
        removeAction(action);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        view->grid()->addAction(action);
        connect(action, &QAction::triggered, this, [this, view, handler] {
            (view->*handler)();
            UpdateCommandUI();
        });
        return action;
    };
    QAction* cut = rowCommand(ID_EDIT_CUT, "ID_EDIT_CUT", QStringLiteral("Cu&t\tCtrl+X"),
                              QStringLiteral("Cut the selected channels to the clipboard\nCut"),
                              QKeySequence(Qt::CTRL | Qt::Key_X), &FormView::OnEditCut);
    QAction* copy = rowCommand(ID_EDIT_COPY, "ID_EDIT_COPY", QStringLiteral("&Copy\tCtrl+C"),
                               QStringLiteral("Copy the selected channels to the clipboard\nCopy"),
                               QKeySequence(Qt::CTRL | Qt::Key_C), &FormView::OnEditCopy);
    QAction* paste = rowCommand(
        ID_EDIT_PASTE, "ID_EDIT_PASTE", QStringLiteral("&Paste\tCtrl+V"),
        QStringLiteral("Paste channels from the clipboard onto the selected channels\nPaste"),
        QKeySequence(Qt::CTRL | Qt::Key_V), &FormView::OnEditPaste);
    QAction* clear = rowCommand(ID_EDIT_CLEAR, "ID_EDIT_CLEAR", QStringLiteral("&Delete Channel\tDel"),
                                QStringLiteral("Empty the selected channels\nDelete Channel"),
                                QKeySequence(Qt::Key_Delete), &FormView::OnEditDelete);
    QAction* up = rowCommand(ID_EDIT_MOVE_UP, "ID_EDIT_MOVE_UP",
                             QStringLiteral("Move &Up\tAlt+Up"),
                             QStringLiteral("Move the selected channels one place up\nMove Up"),
                             QKeySequence(Qt::ALT | Qt::Key_Up), &FormView::OnEditMoveUp);
    QAction* down = rowCommand(
        ID_EDIT_MOVE_DOWN, "ID_EDIT_MOVE_DOWN", QStringLiteral("Move Do&wn\tAlt+Down"),
        QStringLiteral("Move the selected channels one place down\nMove Down"),
        QKeySequence(Qt::ALT | Qt::Key_Down), &FormView::OnEditMoveDown);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
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
    m_wndToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_wndToolBar->setObjectName(QStringLiteral("toolBar"));
    m_wndToolBar->setIconSize(QSize(18, 18));
    m_wndToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->addAction(commandAction(ID_FILE_NEW));
    m_wndToolBar->addAction(commandAction(ID_FILE_OPEN));
    m_wndToolBar->addAction(commandAction(ID_FILE_SAVE));
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(commandAction(ID_READ_FROM_RADIO));
    m_wndToolBar->addAction(commandAction(ID_WRITE_TO_RADIO));
    m_wndToolBar->addAction(commandAction(ID_TEST_MODE));
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(commandAction(ID_FILE_PRINT));
    m_wndToolBar->addAction(commandAction(ID_APP_ABOUT));
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, this, &MainWindow::UpdateCommandUI);
}

void MainWindow::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    m_paneMessage = new QLabel(QStringLiteral("Ready"), bar);
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
    m_paneCaps = indicator(QStringLiteral("CAP"), "indicatorCaps");
    m_paneNum = indicator(QStringLiteral("NUM"), "indicatorNum");
    m_paneScroll = indicator(QStringLiteral("SCRL"), "indicatorScroll");
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

void MainWindow::UpdateCommandUI()
{
    if (m_pView) {
        m_pView->OnUpdateCom1(commandAction(ID_COM1));
        m_pView->OnUpdateCom2(commandAction(ID_COM2));
        m_pView->OnUpdateCom3(commandAction(ID_COM3));
        m_pView->OnUpdateCom4(commandAction(ID_COM4));
        for (int id : {ID_READ_FROM_RADIO, ID_WRITE_TO_RADIO, ID_VERIFY_WITH_RADIO,
                       ID_WRITE_TO_SEVERAL_RADIOS, ID_IMPORT_CHANNELS, ID_EXPORT_CHANNELS,
                       ID_TEST_MODE, ID_OPTIONAL_FEATURES,
                       ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT,
                       ID_FILE_PRINT_PREVIEW, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_CLEAR,
                       ID_EDIT_MOVE_UP, ID_EDIT_MOVE_DOWN})
            if (QAction* action = commandAction(id))
                action->setEnabled(!m_transfers->isRunning());
    }
    // Nothing is undone while the radio is read into the document or written from it, and no
    // recent file replaces the document.
    const bool idle = !m_transfers || !m_transfers->isRunning();
    for (QAction* item : m_recentFileItems)
        item->setEnabled(idle);
    if (QAction* undo = commandAction(ID_EDIT_UNDO))
        undo->setEnabled(idle && m_pDoc->undoStack()->canUndo());
    if (QAction* redo = commandAction(ID_EDIT_REDO))
        redo->setEnabled(idle && m_pDoc->undoStack()->canRedo());
    if (m_wndToolBar)
        commandAction(ID_VIEW_TOOLBAR)->setChecked(!m_wndToolBar->isHidden());
    commandAction(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
}

void MainWindow::SetMessageText(const QString& text)
{
    statusBar()->clearMessage();
    m_paneMessage->setText(text);
}

QString MainWindow::GetMessageText() const
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
    if (m_transfers && !m_transfers->queryClose()) {
        event->ignore();
        return;
    }
    if (m_pApp && !m_pApp->CanReplaceDocument()) {
        event->ignore();
        return;
    }
    event->accept();
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
