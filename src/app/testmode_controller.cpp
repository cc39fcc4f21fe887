#include "app/testmode_controller.h"

#include "app/radio_prompt.h"
#include "core/image/settings_codec.h"
#include "document/document.h"
#include "document/message_text.h"
#include "widgets/debug_mode_dialog.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"

TestModeController::TestModeController(const Document& document, orvo::RadioLink& link,
                                       PortSource port, QWidget* parent, QObject* owner)
    : QObject(owner), m_document(document), m_link(link), m_port(std::move(port)), m_parent(parent)
{
    connect(&m_link, &orvo::RadioLink::messageAsked, this, &TestModeController::askUser);
    connect(&m_link, &orvo::RadioLink::testModeFinished, this, &TestModeController::finish);
}

TestModeController::~TestModeController() = default;

void TestModeController::open()
{
    if (m_link.isBusy())
        return;
    // The dialog starts from the band's lower edge in whole MHz. The document always selects a
    // band; should it select none, the first band stands in.
    const auto& bands = orvo::bands();
    const int selected = m_document.selections()[static_cast<std::size_t>(orvo::SettingBox::Field)];
    const orvo::Band& band = selected >= 0 && selected < static_cast<int>(bands.size())
                                 ? bands[static_cast<std::size_t>(selected)]
                                 : bands.front();
    m_dialogPort = m_port();

    DebugModeDialog dialog(band.low / 100000.0, m_parent);
    m_dialog = &dialog;
    connect(&dialog, &DebugModeDialog::startRequested, this, &TestModeController::start);
    execDialog(dialog);
    m_dialog = nullptr;
}

void TestModeController::start()
{
    if (!m_dialog || m_link.isBusy())
        return;
    orvo::TestModeRequest request = m_dialog->request();
    request.port = m_dialogPort.name;
    m_dialog->setBusy(true);
    m_running = true;
    m_link.startTestMode(request, m_dialogPort.device);
}

void TestModeController::askUser(const orvo::Message& message, bool retryCancel)
{
    // The transfers' questions come on the same link; they answer them themselves.
    if (!m_running)
        return;
    QWidget* parent = m_dialog ? static_cast<QWidget*>(m_dialog) : m_parent;
    const bool finished = message.kind == orvo::MessageKind::TestModeFinished;
    // The test mode's boxes carry the program's short title.
    answerRadioQuestion(m_link, parent, translatedText(message), retryCancel,
                        {tr("Orvo"), QMessageBox::Warning,
                         finished ? QMessageBox::Information : QMessageBox::Warning});
}

void TestModeController::finish(orvo::TestModeOutcome)
{
    m_running = false;
    if (m_dialog)
        m_dialog->setBusy(false);
}
