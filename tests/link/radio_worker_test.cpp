// The radio worker against orvo-radio-sim over a pty: a link that goes while its job waits for an
// answer takes the job down with it and frees the port (the program's end during a transfer).
// Cancel is the window's transfer test's, each misbehaving radio the fault matrix's.
#include "serial/radio_worker.h"
#include "sim_process.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSerialPort>

#include <gtest/gtest.h>

using namespace orvo;

namespace {

// Turns the event loop until `done`, for at most a minute.
template <class Done> bool turnUntil(Done done)
{
    QDeadlineTimer limit(60000);
    while (!done() && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return done();
}

} // namespace

TEST(RadioWorker, ALinkThatGoesWhileItsJobAsksEndsTheJobAndFreesThePort)
{
    SimProcess sim({"--silent"});
    ASSERT_TRUE(sim.started());
    bool asked = false;
    {
        RadioLink link;
        QObject::connect(&link, &RadioLink::messageAsked, [&] { asked = true; });
        ASSERT_TRUE(link.startClone({sim.path(), CloneDirection::Read, RadioImage{}, false, {}}));
        ASSERT_TRUE(turnUntil([&] { return asked; })); // the communication failure waits
    }
    QSerialPort port(QString::fromStdString(sim.path()));
    EXPECT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
}
