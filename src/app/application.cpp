#include "app/application.h"

#include "app/edit_controller.h"
#include "app/file_controller.h"
#include "app/main_window.h"
#include "app/port_controller.h"
#include "app/print_controller.h"
#include "app/testmode_controller.h"
#include "app/transfer_controller.h"
#include "document/document.h"
#include "document/settings.h"
#include "serial/radio_worker.h"
#include "widgets/about_dialog.h"
#include "widgets/form_view.h"
#include "widgets/message_box.h"

#include <QIcon>

static void initResources()
{
    Q_INIT_RESOURCE(orvo);
}

Application::Application(QObject* parent)
    : QObject(parent), m_settings(std::make_unique<Settings>())
{
    initResources();
}

Application::~Application()
{
    // The commands go before the window whose form they commit, the window (and with it the
    // form) before the document it shows, the link last but the document.
    m_testMode.reset();
    m_transfers.reset();
    m_ports.reset();
    m_print.reset();
    m_edit.reset();
    m_files.reset();
    m_window.reset();
    m_link.reset();
    m_document.reset();
}

bool Application::start(const QStringList& arguments, const QString& settingsProblem)
{
    if (!settingsProblem.isEmpty())
        messageBox(nullptr, settingsProblem);

    m_document = std::make_unique<Document>();
    m_link = std::make_unique<orvo::RadioLink>();
    // The form is the window's client; the commands' dialogs and messages belong to it.
    auto* view = new FormView(m_document.get());
    m_files = std::make_unique<FileController>(*m_document, *m_settings, *view, view);
    m_edit = std::make_unique<EditController>(*view, *m_document);
    m_print = std::make_unique<PrintController>(*m_document, *m_settings, *view, view);
    m_ports = std::make_unique<PortController>(*m_settings, view);
    const auto port = [ports = m_ports.get()] { return ports->radioPort(); };
    m_transfers = std::make_unique<TransferController>(
        *m_document, *m_settings, *view, *m_link, port,
        [files = m_files.get()] { return files->maySaveChanges(); }, view);
    m_testMode = std::make_unique<TestModeController>(*m_document, *m_link, port, view);
    m_window = std::make_unique<MainWindow>(
        MainWindow::Parts{*m_document, *m_settings, view, m_files.get(), m_edit.get(),
                          m_print.get(), m_ports.get(), m_transfers.get(), m_testMode.get()});

    QString file;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            file = argument;
            break;
        }
    }
    if (file.isEmpty())
        m_files->newFile();
    else if (!m_files->openFile(file))
        return false;

    m_window->setWindowIcon(appIcon());
    m_window->show();
    m_window->repaint();
    return true;
}
