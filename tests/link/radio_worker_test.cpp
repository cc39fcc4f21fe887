// The radio worker as the window drives it, against orvo-radio-sim over a pty: Cancel stops a
// transfer where it stands, and a link that goes while its job waits for an answer takes the job
// down with it and frees the port. What each misbehaving radio ends with is the fault matrix's.
#include "serial/radio_worker.h"
#include "sim_process.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QSerialPort>

#include <gtest/gtest.h>

#include <memory>

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

TEST(RadioWorker, CancelStopsAReadAtItsNextWaitingCycle)
{
    const RadioImage radio = patternedImage(2);
    SimProcess sim({"--delay", "10"}, &radio);
    ASSERT_TRUE(sim.started());
    RadioLink link;
    std::vector<int> positions;
    QObject::connect(&link, &RadioLink::progressChanged, [&](int position) {
        positions.push_back(position);
        if (position == 3)
            link.cancel();
    });
    std::unique_ptr<CloneReport> end;
    QObject::connect(&link, &RadioLink::cloneFinished,
                     [&](const CloneReport& report) { end = std::make_unique<CloneReport>(report); });
    ASSERT_TRUE(link.startClone({sim.path(), CloneDirection::Read, RadioImage{}, false}));
    EXPECT_FALSE(link.startClone({sim.path(), CloneDirection::Write, radio, false}));
    ASSERT_TRUE(turnUntil([&] { return end != nullptr; }));
    EXPECT_EQ(end->result.outcome, CloneOutcome::Cancelled);
    // The worker may have moved on by a block or more before this thread heard of the third.
    EXPECT_GE(end->result.blocksDone, 3);
    EXPECT_LT(end->result.blocksDone, 128);
    EXPECT_EQ(positions.back(), end->result.blocksDone);
    EXPECT_FALSE(link.isBusy());
}

TEST(RadioWorker, ALinkThatGoesWhileItsJobAsksEndsTheJobAndFreesThePort)
{
    SimProcess sim({"--silent"});
    ASSERT_TRUE(sim.started());
    bool asked = false;
    {
        RadioLink link;
        QObject::connect(&link, &RadioLink::messageAsked, [&] { asked = true; });
        ASSERT_TRUE(link.startClone({sim.path(), CloneDirection::Read, RadioImage{}, false}));
        ASSERT_TRUE(turnUntil([&] { return asked; })); // the communication failure waits
    }
    QSerialPort port(QString::fromStdString(sim.path()));
    EXPECT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
}

