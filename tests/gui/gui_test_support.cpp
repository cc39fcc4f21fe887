#include "gui_test_support.h"

#include "app/application.h"
#include "core/formats/channel_file.h"
#include "core/image/channel_codec.h"
#include "core/image/settings_codec.h"
#include "widgets/modal_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>

namespace {

// The setting lists in the order of the core's SettingBox.
const char* const kListNames[] = {
    "cmbType",        "cmbField",        "cmbScan",        "cmbBeep",
    "cmbBatterySave", "cmbSquelchLevel", "cmbTxTotalTime", "cmbVoiceAnnunciation",
    "cmbMoni",        "cmbUrgencyCall"};
const char* const kEditorNames[] = {"editFreq", "cmbTone",    "cmbBusy",
                                    "cmbWidth", "cmbScanAdd", "cmbPower"};

QModelIndex cellIndex(int channel, int column)
{
    return channelTable()->model()->index(channel - 1, column);
}

QPoint cellCenter(int channel, int column)
{
    return channelTable()->visualRect(cellIndex(channel, column)).center();
}

QWidget* withName(const QWidgetList& widgets, const char* name)
{
    for (QWidget* widget : widgets)
        if (widget->objectName() == QLatin1String(name))
            return widget;
    return nullptr;
}

DialogAnswers* g_answering = nullptr;

} // namespace

DialogAnswers::DialogAnswers() : m_previous(g_answering)
{
    g_answering = this;
    install();
}

// An inner DialogAnswers answers while it lives; the outer one takes over again after it.
void DialogAnswers::install()
{
    setMessageBoxHook([this](const MessageBoxRequest& request) {
        boxes.append({request.text, request.buttons, request.caption, request.icon});
        if (!boxAnswers.isEmpty())
            return boxAnswers.takeFirst();
        for (auto b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
            if (request.buttons.testFlag(b))
                return b;
        }
        return QMessageBox::NoButton;
    });
    setFileDialogHook([this](const FileDialogRequest& request) {
        fileRequests.append(request);
        if (request.chosenFilter && !fileFilters.isEmpty())
            *request.chosenFilter = fileFilters.takeFirst();
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    });
    setDialogHook([this](QDialog& dialog) {
        dialogTitles.append(dialog.windowTitle());
        if (dialogDriver)
            dialogDriver(dialog);
    });
}

DialogAnswers::~DialogAnswers()
{
    g_answering = m_previous;
    if (m_previous) {
        m_previous->install();
        return;
    }
    setMessageBoxHook({});
    setFileDialogHook({});
    setDialogHook({});
}

QStringList DialogAnswers::texts() const
{
    QStringList out;
    for (const ShownBox& box : boxes)
        out.append(box.text);
    return out;
}

void GuiTest::initTestCase()
{
    quietPlatformWarnings();
}

void GuiTest::init()
{
    for (const char* name : {"ORVO_COM1", "ORVO_COM2", "ORVO_COM3", "ORVO_COM4"})
        qputenv(name, "/nonexistent/orvo-port");
    dir = std::make_unique<QTemporaryDir>();
    QStringList arguments;
    if (const auto image = startImage()) {
        arguments << path(QStringLiteral("start.sin"));
        saveWithCore(arguments.last(), *image);
    }
    app = startApp(arguments);
    QVERIFY(app);
}

void GuiTest::cleanup()
{
    answers.reset();
    app.reset();
}

std::unique_ptr<QObject> startApp(const QStringList& arguments)
{
    auto app = std::make_unique<Application>();
    if (!app->start(arguments))
        return nullptr;
    mainWindow()->activateWindow();
    if (!QTest::qWaitForWindowActive(mainWindow()))
        qWarning("the main window did not become active");
    return app;
}

QMainWindow* mainWindow()
{
    return qobject_cast<QMainWindow*>(withName(QApplication::topLevelWidgets(), "MainWindow"));
}

QAction* command(const char* objectName)
{
    return named<QAction>(QLatin1String(objectName));
}

QComboBox* settingList(const char* objectName)
{
    return named<QComboBox>(QLatin1String(objectName));
}

QWidget* focus()
{
    return QApplication::focusWidget();
}

void press(int key, Qt::KeyboardModifiers modifiers)
{
    // The offscreen platform may leave a dialog just hidden as the active window; a user
    // would click the main window first.
    if (!QApplication::activePopupWidget() && !QApplication::activeModalWidget() &&
        QApplication::activeWindow() != mainWindow()) {
        mainWindow()->windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(mainWindow()));
    }
    QTest::keyClick(focus() ? focus() : mainWindow(), static_cast<Qt::Key>(key), modifiers);
}

void ctrl(Qt::Key key)
{
    press(key, Qt::ControlModifier);
}

void dropOnWindow(const QString& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(mainWindow(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(mainWindow(), &drop);
}

void clickMenu(const char* menuName, const char* commandName)
{
    auto* menu = named<QMenu>(QLatin1String(menuName));
    QAction* action = command(commandName);
    QVERIFY(menu && action);
    QMenuBar* bar = mainWindow()->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
    const QRect item = menu->actionGeometry(action);
    QVERIFY(item.isValid());
    QTest::mouseMove(menu, item.center());
    QTest::mouseClick(menu, Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!menu->isVisible());
}

void clickTool(const char* commandName)
{
    auto* bar = named<QToolBar>(QStringLiteral("toolBar"));
    QWidget* button = bar ? bar->widgetForAction(command(commandName)) : nullptr;
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void chooseListEntry(QComboBox* list, int index)
{
    QVERIFY(list && index >= 0 && index < list->count());
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F4);
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    for (int at = std::max(view->currentIndex().row(), 0); at != index; at += at < index ? 1 : -1)
        QTest::keyClick(view, at < index ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

void clickTreeItem(QTreeWidget* tree, const QString& text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    QTreeWidgetItem* item = found.first();
    const auto click = [tree](QTreeWidgetItem* at) {
        QTest::mouseMove(tree->viewport(), tree->visualItemRect(at).center());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(at).center());
    };
    if (item->parent() && !item->parent()->isExpanded()) {
        click(item->parent());
        QTest::keyClick(tree, Qt::Key_Right);
    }
    click(item);
    QCOMPARE(tree->currentItem(), item);
}

bool asksToSave()
{
    // File Open asks for the name first; a file that is not there changes nothing.
    DialogAnswers answers;
    answers.fileAnswers = {QStringLiteral("/nonexistent/orvo-test.sin")};
    answers.boxAnswers = {QMessageBox::Cancel, QMessageBox::Ok};
    ctrl(Qt::Key_O);
    return answers.texts().value(0) == QLatin1String("Save changes?");
}

QString manualFaults()
{
    press(Qt::Key_F1);
    auto* help = named<QWidget>(QStringLiteral("helpWindow"));
    if (!help || !QTest::qWaitFor([help] { return help->isVisible(); }))
        return QStringLiteral("no help window");
    auto* browser = help->findChild<QTextBrowser*>();
    const QString manual = browser->toPlainText();
    QStringList faults;
    static const QRegularExpression marks(QStringLiteral("\\(&.\\)|&|\\.\\.\\.|\u2026"));
    for (const QMenu* menu : mainWindow()->menuBar()->findChildren<QMenu*>()) {
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator() || action->objectName().startsWith("ID_FILE_MRU"))
                continue;
            QString name = action->text().section('\t', 0, 0);
            name = name.section(QStringLiteral("  \u2014  "), 0, 0); // a port's device
            if (!manual.contains(name.remove(marks)))
                faults.append(name);
        }
    }
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto part = block.begin(); !part.atEnd(); ++part) {
            const QString link = part.fragment().charFormat().anchorHref();
            if (!link.startsWith('#'))
                continue;
            browser->verticalScrollBar()->setValue(0);
            browser->setSource(QUrl(link));
            if (browser->verticalScrollBar()->value() == 0)
                faults.append(link);
        }
    }
    if (browser->toPlainText() != manual)
        faults.append(QStringLiteral("a link replaced the manual"));
    return faults.join(QStringLiteral(", "));
}

QAbstractItemView* channelTable()
{
    return named<QAbstractItemView>(QStringLiteral("grid"));
}

QString cellText(int channel, int column)
{
    return cellIndex(channel, column).data().toString();
}

QStringList rowTexts(int channel)
{
    QStringList texts;
    for (int column = 1; column <= 8; ++column)
        texts.append(cellText(channel, column));
    return texts;
}

QStringList formTexts()
{
    QStringList texts;
    for (const char* name : kListNames)
        texts.append(settingList(name)->currentText());
    for (int channel = 1; channel <= orvo::kChannelCount; ++channel)
        texts += rowTexts(channel);
    return texts;
}

QStringList formTextsOf(const orvo::RadioImage& image)
{
    QStringList texts;
    orvo::SettingSelections selections{};
    orvo::decodeSettings(image, selections);
    for (std::size_t i = 0; i < selections.size(); ++i) {
        const auto& entries = orvo::settingBoxes()[i].entries;
        const int at = selections[i];
        texts.append(at >= 0 && at < int(entries.size()) ? QString::fromStdString(entries[at])
                                                         : QString());
    }
    for (int channel = 1; channel <= orvo::kChannelCount; ++channel)
        for (const std::string& text : orvo::decodeChannel(image, channel))
            texts.append(QString::fromStdString(text));
    return texts;
}

QPoint currentCell()
{
    const QModelIndex at = channelTable()->currentIndex();
    return {at.row() + 1, at.column()};
}

QString openEditor()
{
    for (const char* name : kEditorNames) {
        for (QWidget* editor : mainWindow()->findChildren<QWidget*>(QLatin1String(name))) {
            if (editor->isVisible())
                return QLatin1String(name);
        }
    }
    return {};
}

void clickCell(int channel, int column, Qt::MouseButton button)
{
    QTest::mouseClick(channelTable()->viewport(), button, {}, cellCenter(channel, column));
}

void doubleClickCell(int channel, int column)
{
    QTest::mouseDClick(channelTable()->viewport(), Qt::LeftButton, {}, cellCenter(channel, column));
}

void goToCell(int channel, int column)
{
    QAbstractItemView* table = channelTable();
    table->setFocus();
    QTRY_COMPARE(focus(), static_cast<QWidget*>(table));
    QTest::keyClick(table, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 1; i < channel; ++i)
        QTest::keyClick(table, Qt::Key_Down);
    for (int i = 1; i < column; ++i)
        QTest::keyClick(table, Qt::Key_Right);
    QCOMPARE(currentCell(), QPoint(channel, column));
}

void typeOnCell(int channel, int column, const QString& text)
{
    goToCell(channel, column);
    QTest::keyClick(channelTable(), text.at(0).toLatin1());
    QTest::keyClicks(focus(), text.mid(1));
}

void saveWithCore(const QString& path, const orvo::RadioImage& image)
{
    const auto result = orvo::saveImageFile(QFile::encodeName(path).toStdString(), image);
    QVERIFY2(result.ok, result.errorText().c_str());
}

QWidget* progressDialog()
{
    return withName(QApplication::allWidgets(), "ProgressDialog");
}

ProgressWatch::ProgressWatch(std::function<void(int)> step)
{
    auto* bar = progressDialog()->findChild<QProgressBar*>(QStringLiteral("progressBar"));
    QObject::connect(bar, &QProgressBar::valueChanged, &guard, std::move(step));
}

void transferFromToolbar(bool write)
{
    clickTool(write ? "ID_WRITE_TO_RADIO" : "ID_READ_FROM_RADIO");
    QVERIFY(progressDialog() && progressDialog()->isVisible());
    startAndWait();
}

void startAndWait()
{
    auto* start = progressDialog()->findChild<QPushButton*>(QStringLiteral("btnStart"));
    QTest::mouseClick(start, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(
        !progressDialog()->isVisible() && command("ID_READ_FROM_RADIO")->isEnabled(), 120000);
}

void quietPlatformWarnings()
{
    static QtMessageHandler next = nullptr;
    next = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context,
                                     const QString& text) {
        if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
            return;
        if (next)
            next(type, context, text);
    });
}

void keyForNextBox(Qt::Key key, QStringList& seen)
{
    QMetaObject::invokeMethod(
        qApp,
        [key, &seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen << box->text();
            for (QAbstractButton* button : box->buttons())
                seen << button->text();
            QTest::keyClick(box, key);
        },
        Qt::QueuedConnection);
}
