#pragma once
// TestModeController: Program > Test Mode. Opens the Debug Mode dialog for the band the document
// selects and the chosen port, and runs each of its exchanges on a radio worker
// (serial/radio_worker.h): the dialog repaints and shows that it is busy until the exchange has
// ended with its last message.

#include "serial/radio_worker.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class DebugModeDialog;
class Document;
class QWidget;

class TestModeController : public QObject
{
    Q_OBJECT

public:
    // The port the exchanges open, and its device, taken when the dialog opens.
    using PortSource = std::function<orvo::RadioPort()>;

    // Test mode on `link` (shared with the transfers; one job at a time) for the band of
    // `document`; the dialog belongs to `parent`.
    TestModeController(const Document& document, orvo::RadioLink& link, PortSource port,
                       QWidget* parent, QObject* owner = nullptr);
    ~TestModeController() override;

    // Runs the Debug Mode dialog until it is closed.
    void open();

private:
    void start();
    void askUser(const orvo::Message& message, bool retryCancel);
    void finish(orvo::TestModeOutcome outcome);

    const Document& m_document;
    orvo::RadioLink& m_link;
    PortSource m_port;
    QWidget* m_parent;
    QPointer<DebugModeDialog> m_dialog; // while it is open
    orvo::RadioPort m_dialogPort;
    bool m_running = false; // an exchange of this dialog runs
};
