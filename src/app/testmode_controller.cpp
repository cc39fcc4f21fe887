#include "app/testmode_controller.h"

#include "core/image/settings_codec.h"
#include "document/document.h"
#include "document/message_text.h"
#include "serial/radio_worker.h"
#include "widgets/debug_mode_dialog.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"

TestModeController::TestModeController(const Document* document, QWidget* window, PortSource port,
                                       QObject* parent)
    : QObject(parent), m_document(document), m_window(window), m_port(std::move(port)),
      m_link(new orvo::RadioLink(this))
{
    connect(m_link, &orvo::RadioLink::messageAsked, this, &TestModeController::askUser);
    connect(m_link, &orvo::RadioLink::testModeFinished, this, &TestModeController::finish);
}

TestModeController::~TestModeController() = default;

bool TestModeController::isRunning() const
{
    return m_link->isBusy();
}

void TestModeController::open()
{
    if (isRunning())
        return;
    // The dialog starts from the band's lower edge in whole MHz. The document always selects a
    // band; should it select none, the first band stands in.
    const auto& bands = orvo::bands();
    const int selected =
        m_document->selections()[static_cast<std::size_t>(orvo::SettingBox::Field)];
    const orvo::Band& band = selected >= 0 && selected < static_cast<int>(bands.size())
                                 ? bands[static_cast<std::size_t>(selected)]
                                 : bands.front();
    m_dialogPort = m_port();

    DebugModeDialog dialog(band.low / 100000.0, m_window);
    m_dialog = &dialog;
    connect(&dialog, &DebugModeDialog::startRequested, this, &TestModeController::start);
    execDialog(dialog);
    m_dialog = nullptr;
}

void TestModeController::start()
{
    if (!m_dialog || isRunning())
        return;
    orvo::TestModeRequest request = m_dialog->request();
    request.port = m_dialogPort.toStdString();
    m_dialog->setBusy(true);
    m_link->startTestMode(request);
}

void TestModeController::askUser(const orvo::Message& message, bool retryCancel)
{
    QWidget* parent = m_dialog ? static_cast<QWidget*>(m_dialog) : m_window;
    // The test mode's boxes carry the program's short title.
    const QString caption = tr("Orvo");
    if (retryCancel) {
        const auto answer =
            messageBox(parent, translatedText(message), caption, QMessageBox::Warning,
                       QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
        m_link->answer(answer == QMessageBox::Retry);
        return;
    }
    const bool finished = message.kind == orvo::MessageKind::TestModeFinished;
    messageBox(parent, translatedText(message), caption,
               finished ? QMessageBox::Information : QMessageBox::Warning, QMessageBox::Ok);
    m_link->answer(false);
}

void TestModeController::finish(orvo::TestModeOutcome)
{
    if (m_dialog)
        m_dialog->setBusy(false);
}
