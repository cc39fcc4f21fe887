#include "app/application.h"

#include "app/file_document.h"
#include "app/main_window.h"
#include "app/transfer_controller.h"
#include "document/settings.h"
#include "serial/system_ports.h"
#include "widgets/about_dialog.h"
#include "widgets/file_dialog.h"
#include "widgets/form_view.h"
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
    // The frame (and with it the view) goes before the document it shows.
    m_pMainWnd.reset();
    m_pDoc.reset();
}

FormView* Application::GetView() const
{
    return m_pMainWnd ? m_pMainWnd->GetActiveView() : nullptr;
}

bool Application::InitInstance(const QStringList& arguments)
{
    LoadStdProfileSettings();

    m_pDoc = std::make_unique<FileDocument>();
    m_pMainWnd = std::make_unique<MainWindow>(m_pDoc.get());
    m_pMainWnd->SetApp(this);
    m_pDoc->SetWindow(m_pMainWnd.get());
    connect(m_pDoc.get(), &FileDocument::fileUsed, this, &Application::AddToRecentFileList);

    QString file;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            file = argument;
            break;
        }
    }
    if (file.isEmpty()) {
        m_pDoc->OnNewDocument();
        GetView()->OnInitialUpdate();
    } else if (!OpenDocumentFile(file)) {
        return false;
    }

    m_pMainWnd->setWindowIcon(AppIcon());
    m_pMainWnd->show();
    m_pMainWnd->repaint();
    return true;
}

void Application::OnFileNew()
{
    if (!CanReplaceDocument())
        return;
    m_pDoc->OnNewDocument();
    GetView()->OnInitialUpdate();
    m_pMainWnd->UpdateCommandUI();
}

void Application::OnFileOpen()
{
    QString folder = QDir::currentPath();
    if (!m_pDoc->GetPathName().isEmpty())
        folder = QFileInfo(m_pDoc->GetPathName()).absolutePath();
    else if (!m_recentFiles.isEmpty())
        folder = QFileInfo(m_recentFiles.constFirst()).absolutePath();
    const QString path = AppGetOpenFileName(m_pMainWnd.get(), QStringLiteral("Open"), folder,
                                            FileDocument::fileFilter());
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

bool Application::OpenDocumentFile(const QString& path)
{
    if (!CanReplaceDocument())
        return false;
    if (!m_pDoc->OnOpenDocument(path))
        return false;
    m_pDoc->SetPathName(path);
    GetView()->OnInitialUpdate();
    m_pMainWnd->UpdateCommandUI();
    return true;
}

void Application::OnAppAbout()
{
    AboutDialog dialog(m_pMainWnd.get());
    AppExecDialog(dialog);
}

bool Application::CanReplaceDocument()
{
    // The document must outlive a running transfer; the commands that would replace it are
    // disabled meanwhile, and closing asks about the transfer first (MainWindow::closeEvent).
    if (m_pMainWnd && m_pMainWnd->transfers()->isRunning())
        return false;
    if (FormView* view = GetView())
        view->CommitPendingEdit();
    return !m_pDoc || m_pDoc->SaveModified();
}

QStringList Application::GetRecentFileList() const
{
    return m_recentFiles;
}

void Application::AddToRecentFileList(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > kMaxRecentFiles)
        m_recentFiles.removeLast();
    SaveStdProfileSettings();
}

void Application::LoadStdProfileSettings()
{
    const Settings settings;
    m_recentFiles = settings.recentFiles();
    for (int n = 1; n <= 4; ++n)
        orvo::setChosenPortDevice(n, settings.portDevice(n).toStdString());
}

void Application::SaveStdProfileSettings() const
{
    Settings().setRecentFiles(m_recentFiles);
}
