#include "gui_test_support.h"

#include "app/main_frame.h"
#include "app/modal_dialog.h"
#include "app/tern_app.h"
#include "editor/tern_view.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>

DialogAnswers::DialogAnswers()
{
    setMessageBoxHook([this](const MessageBoxRequest& request) {
        boxes.append({request.text, request.caption, request.icon, request.buttons});
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
    setMessageBoxHook({});
    setFileDialogHook({});
    setDialogHook({});
}

std::unique_ptr<CTernApp> startApplication(const QStringList& arguments)
{
    auto app = std::make_unique<CTernApp>();
    if (!app->InitInstance(arguments))
        return app;
    CMainFrame* frame = app->GetMainFrame();
    frame->activateWindow();
    if (!QTest::qWaitForWindowActive(frame))
        qWarning("the main window did not become active");
    return app;
}

CMainFrame* mainFrame()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* frame = qobject_cast<CMainFrame*>(widget))
            return frame;
    }
    return nullptr;
}

CTernView* ternView()
{
    CMainFrame* frame = mainFrame();
    return frame ? frame->GetActiveView() : nullptr;
}

void clickMenuCommand(const QString& menuObjectName, int commandId)
{
    CMainFrame* frame = mainFrame();
    auto* menu = frame->findChild<QMenu*>(menuObjectName);
    QAction* action = frame->commandAction(commandId);
    QVERIFY(menu && action);
    QMenuBar* bar = frame->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
    const QRect item = menu->actionGeometry(action);
    QVERIFY(item.isValid());
    QTest::mouseMove(menu, item.center());
    QTest::mouseClick(menu, Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!menu->isVisible());
}

void clickToolButton(int commandId)
{
    CMainFrame* frame = mainFrame();
    QWidget* button = frame->m_wndToolBar->widgetForAction(frame->commandAction(commandId));
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
    int at = std::max(view->currentIndex().row(), 0);
    while (at < index) {
        QTest::keyClick(view, Qt::Key_Down);
        ++at;
    }
    while (at > index) {
        QTest::keyClick(view, Qt::Key_Up);
        --at;
    }
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray toBytes(const orvo::RadioImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.bytes.data()),
                      static_cast<qsizetype>(image.bytes.size()));
}

orvo::RadioImage fromBytes(const QByteArray& bytes)
{
    orvo::RadioImage image;
    std::copy_n(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), image.bytes.size()),
                image.bytes.begin());
    return image;
}

void saveWithCore(const QString& path, const orvo::RadioImage& image)
{
    const orvo::FileResult result =
        orvo::saveImageFile(QFile::encodeName(path).toStdString(), image);
    QVERIFY2(result.ok, result.error.c_str());
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
