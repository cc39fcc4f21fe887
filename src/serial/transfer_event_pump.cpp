#include "serial/transfer_event_pump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

namespace {

constexpr qint64 kQuietNs = 500'000;

} // namespace

void TransferEventPump::cycle()
{
    if (!m_quietUntil.hasExpired())
        return;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher) {
        QCoreApplication::processEvents();
        return;
    }
    // The same pass as QCoreApplication::processEvents(), which does not tell whether it found
    // anything.
    if (!dispatcher->processEvents(QEventLoop::AllEvents))
        m_quietUntil.setPreciseRemainingTime(0, kQuietNs);
}

void TransferEventPump::whileWaiting()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
