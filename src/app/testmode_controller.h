#pragma once
// TestModeController: Program > Test Mode. Opens the Debug Mode dialog for the band the document
// selects and the chosen port, and runs each of its exchanges on a radio worker
// (serial/radio_worker.h): the dialog repaints and shows that it is busy until the exchange has
// ended with its last message.

#include "core/message/message.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class DebugModeDialog;
class Document;
class QWidget;

namespace orvo {
class RadioLink;
enum class TestModeOutcome;
} // namespace orvo

class TestModeController : public QObject
{
    Q_OBJECT

public:
    // The port the exchanges open: "COM1".."COM4" or a device path, taken when the dialog opens.
    using PortSource = std::function<QString()>;

    // Test mode over `window` for the band of `document`.
    TestModeController(const Document* document, QWidget* window, PortSource port,
                       QObject* parent = nullptr);
    ~TestModeController() override;

    // Runs the Debug Mode dialog until it is closed.
    void open();
    // An exchange runs.
    bool isRunning() const;

private:
    void start();
    void askUser(const orvo::Message& message, bool retryCancel);
    void finish(orvo::TestModeOutcome outcome);

    const Document* m_document;
    QWidget* m_window;
    PortSource m_port;
    orvo::RadioLink* m_link;
    QPointer<DebugModeDialog> m_dialog; // while it is open
    QString m_dialogPort;
};
