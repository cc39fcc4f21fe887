#include "app/application.h"

#include "app/file_document.h"
#include "app/main_window.h"
#include "app/transfer_controller.h"
#include "document/settings.h"
#include "serial/system_ports.h"
#include "widgets/about_dialog.h"
#include "widgets/file_dialog.h"
#include "widgets/form_view.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

static void initResources()
{
    Q_INIT_RESOURCE(orvo);
}

Application::Application(QObject* parent) : QObject(parent)
{
    initResources();
}

Application::~Application()
{
    // The window (and with it the view) goes before the document it shows.
    m_window.reset();
    m_document.reset();
}

FormView* Application::view() const
{
    return m_window ? m_window->view() : nullptr;
}

bool Application::start(const QStringList& arguments)
{
    loadSettings();

    m_document = std::make_unique<FileDocument>();
    m_window = std::make_unique<MainWindow>(m_document.get());
    m_window->setApplication(this);
    m_document->setWindow(m_window.get());
    connect(m_document.get(), &FileDocument::fileUsed, this, &Application::addRecentFile);

    QString file;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            file = argument;
            break;
        }
    }
    if (file.isEmpty()) {
        m_document->newDocument();
        view()->resetForm();
    } else if (!openFile(file)) {
        return false;
    }

    m_window->setWindowIcon(appIcon());
    m_window->show();
    m_window->repaint();
    return true;
}

void Application::newFile()
{
    if (!canReplaceDocument())
        return;
    m_document->newDocument();
    view()->resetForm();
}

void Application::open()
{
    QString folder = QDir::currentPath();
    if (!m_document->filePath().isEmpty())
        folder = QFileInfo(m_document->filePath()).absolutePath();
    else if (!m_recentFiles.isEmpty())
        folder = QFileInfo(m_recentFiles.constFirst()).absolutePath();
    const QString path =
        getOpenFileName(m_window.get(), tr("Open"), folder, FileDocument::fileFilter());
    if (!path.isEmpty())
        openFile(path);
}

bool Application::openFile(const QString& path)
{
    if (!canReplaceDocument())
        return false;
    // A recent file that cannot be opened now leaves the list, and the message says so.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const bool recent = m_recentFiles.contains(absolute);
    if (!m_document->load(path,
                          recent ? tr("It is taken off the list of recent files.") : QString())) {
        if (recent) {
            m_recentFiles.removeAll(absolute);
            saveSettings();
        }
        return false;
    }
    m_document->setFilePath(path);
    view()->resetForm();
    return true;
}

void Application::about()
{
    AboutDialog dialog(m_window.get());
    execDialog(dialog);
}

bool Application::canReplaceDocument()
{
    // The document must outlive a running transfer; the commands that would replace it are
    // disabled meanwhile, and closing asks about the transfer first (MainWindow::closeEvent).
    if (m_window && m_window->transfers()->isRunning())
        return false;
    FormView* form = view();
    if (form)
        form->commitPendingEdit();
    return !m_document || m_document->saveModified();
}

void Application::addRecentFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > Settings::kMaxRecentFiles)
        m_recentFiles.removeLast();
    saveSettings();
}

void Application::loadSettings()
{
    if (const QString problem = Settings::storeProblem(); !problem.isEmpty())
        messageBox(nullptr, problem);
    const Settings settings;
    m_recentFiles = settings.recentFiles();
    for (int n = 1; n <= 4; ++n)
        orvo::setChosenPortDevice(n, settings.portDevice(n).toStdString());
}

void Application::saveSettings() const
{
    Settings().setRecentFiles(m_recentFiles);
}
