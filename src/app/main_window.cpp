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

#include "ui_main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUndoStack>

MainWindow::MainWindow(const Parts& parts, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::MainWindow>()), m_document(parts.document),
      m_settings(parts.settings), m_view(parts.view), m_files(parts.files), m_edit(parts.edit),
      m_print(parts.print), m_ports(parts.ports), m_transfers(parts.transfers),
      m_testMode(parts.testMode)
{
    m_ui->setupUi(this);
    setWindowTitle(appTitle());
    resize(850, 640);
    setCentralWidget(m_view);
    setAcceptDrops(true);

    createMenus();
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

void MainWindow::about()
{
    AboutDialog dialog(this);
    execDialog(dialog);
}

void MainWindow::createMenus()
{
    Ui::MainWindow& ui = *m_ui;
    auto bind = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, handler);
    };
    // Every command's key works wherever the focus is in the window, also one no menu shows.
    addActions(findChildren<QAction*>(Qt::FindDirectChildrenOnly));

    // File
    connect(ui.ID_FILE_NEW, &QAction::triggered, m_files, &FileController::newFile);
    connect(ui.ID_FILE_OPEN, &QAction::triggered, m_files, &FileController::open);
    // A save stores the text of a cell editor still open, as leaving the cell would take it.
    connect(ui.ID_FILE_SAVE, &QAction::triggered, m_files, &FileController::save);
    connect(ui.ID_FILE_SAVE_AS, &QAction::triggered, m_files, &FileController::saveAs);
    connect(ui.ID_IMPORT_CHANNELS, &QAction::triggered, m_files, &FileController::importChannels);
    connect(ui.ID_EXPORT_CHANNELS, &QAction::triggered, m_files, &FileController::exportChannels);
    connect(ui.ID_FILE_PRINT, &QAction::triggered, m_print, &PrintController::print);
    connect(ui.ID_FILE_PRINT_PREVIEW, &QAction::triggered, m_print, &PrintController::preview);
    connect(ui.ID_FILE_PRINT_SETUP, &QAction::triggered, m_print, &PrintController::pageSetup);
    connect(ui.ID_APP_EXIT, &QAction::triggered, this, &QWidget::close);
    addRecentFileItems(ui.menuFile, ui.ID_APP_EXIT);

    createEditMenu();

    // Program
    bind(ui.ID_READ_FROM_RADIO, [this] { m_transfers->read(); });
    bind(ui.ID_WRITE_TO_RADIO, [this] { m_transfers->write(); });
    bind(ui.ID_VERIFY_WITH_RADIO, [this] { m_transfers->verify(); });
    bind(ui.ID_WRITE_TO_SEVERAL_RADIOS, [this] { m_transfers->writeToSeveralRadios(); });
    bind(ui.ID_TEST_MODE, [this] { m_testMode->open(); });
    connect(ui.ID_OPTIONAL_FEATURES, &QAction::triggered, m_edit,
            &EditController::optionalFeatures);

    createPortMenu();

    // View: the check marks follow the bars, also when the toolbar's own menu hides it.
    connect(ui.ID_VIEW_TOOLBAR, &QAction::toggled, ui.toolBar, &QWidget::setVisible);
    connect(ui.toolBar, &QToolBar::visibilityChanged, this,
            [this] { m_ui->ID_VIEW_TOOLBAR->setChecked(!m_ui->toolBar->isHidden()); });
    connect(ui.ID_VIEW_STATUS_BAR, &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });
    addLanguageMenu();

    // Help, and About on the toolbar too
    connect(ui.ID_APP_ABOUT, &QAction::triggered, this, &MainWindow::about);
    createHelpMenu();
    // F6 and Shift+F6 move between panes; the window has a single pane, so they do nothing.
}

void MainWindow::createEditMenu()
{
    QUndoStack* stack = m_document.undoStack();
    Ui::MainWindow& ui = *m_ui;

    // Undo and Redo work wherever the focus is; a cell editor keeps its own for its text.
    ui.ID_EDIT_REDO->setShortcuts(
        {ui.ID_EDIT_REDO->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(ui.ID_EDIT_UNDO, &QAction::triggered, m_edit, &EditController::undo);
    connect(ui.ID_EDIT_REDO, &QAction::triggered, m_edit, &EditController::redo);
    connect(stack, &QUndoStack::indexChanged, this, &MainWindow::updateUndoActions);

    // The row commands act on the grid's rows, so their keys work while the grid (or a cell
    // editor that leaves the key unused) has the focus.
    ChannelTable* grid = m_view->grid();
    auto rowCommand = [this, grid](QAction* action, void (EditController::*handler)()) {
        removeAction(action);
        grid->addAction(action);
        connect(action, &QAction::triggered, m_edit, handler);
    };
    rowCommand(ui.ID_EDIT_CUT, &EditController::cut);
    rowCommand(ui.ID_EDIT_COPY, &EditController::copy);
    rowCommand(ui.ID_EDIT_PASTE, &EditController::paste);
    rowCommand(ui.ID_EDIT_CLEAR, &EditController::deleteChannels);
    rowCommand(ui.ID_EDIT_MOVE_UP, &EditController::moveUp);
    rowCommand(ui.ID_EDIT_MOVE_DOWN, &EditController::moveDown);

    connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::updateMoveActions);
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainWindow::updateMoveActions);
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
    const Ui::MainWindow& ui = *m_ui;
    if (m_view) {
        for (QAction* action :
             {ui.ID_READ_FROM_RADIO, ui.ID_WRITE_TO_RADIO, ui.ID_VERIFY_WITH_RADIO,
              ui.ID_WRITE_TO_SEVERAL_RADIOS, ui.ID_IMPORT_CHANNELS, ui.ID_EXPORT_CHANNELS,
              ui.ID_TEST_MODE, ui.ID_OPTIONAL_FEATURES, ui.ID_FILE_NEW, ui.ID_FILE_OPEN,
              ui.ID_FILE_SAVE, ui.ID_FILE_SAVE_AS, ui.ID_FILE_PRINT, ui.ID_FILE_PRINT_PREVIEW,
              ui.ID_EDIT_CUT, ui.ID_EDIT_PASTE, ui.ID_EDIT_CLEAR, ui.ID_EDIT_MOVE_UP,
              ui.ID_EDIT_MOVE_DOWN})
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
    m_ui->ID_EDIT_MOVE_UP->setEnabled(idle && m_edit->canMove(-1));
    m_ui->ID_EDIT_MOVE_DOWN->setEnabled(idle && m_edit->canMove(1));
}

void MainWindow::updateUndoActions()
{
    // Nothing is undone while the radio is read into the document or written from it.
    const QUndoStack* stack = m_document.undoStack();
    const bool idle = !m_transfers || !m_transfers->isRunning();
    QAction* undo = m_ui->ID_EDIT_UNDO;
    QAction* redo = m_ui->ID_EDIT_REDO;
    undo->setEnabled(idle && stack->canUndo());
    redo->setEnabled(idle && stack->canRedo());
    const QString undoText = stack->undoText();
    const QString redoText = stack->redoText();
    undo->setText(undoText.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(undoText));
    redo->setText(redoText.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(redoText));
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
