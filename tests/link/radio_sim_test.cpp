// orvo-radio-sim itself: its memory file, its start-up checks and its paced answers.
#include "link/port_setup.h"
#include "link/qt_serial_line.h"
#include "sim_process.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <array>
#include <csignal>

using namespace orvo;

TEST(RadioSim, WritesItsMemoryFileWhenAsked)
{
    const RadioImage image = patternedImage(21);
    SimProcess sim({}, &image);
    ASSERT_TRUE(sim.started());
    EXPECT_FALSE(sim.hasMemoryFile());
    // A link planted at a temporary name is not followed.
    const QString planted = writeImageFile(sim.folder(), "planted.sin", patternedImage(22));
    QFile::link(planted, sim.folder() + "/memory.bin.part");
    ::kill(static_cast<pid_t>(sim.pid()), SIGUSR1);
    QDeadlineTimer patience(10000);
    while (!sim.hasMemoryFile() && !patience.hasExpired())
        QThread::msleep(5);
    EXPECT_EQ(sim.memoryFile(), image);
    const RadioImage plantedImage = patternedImage(22);
    EXPECT_EQ(readWholeFile(planted),
              QByteArray(reinterpret_cast<const char*>(plantedImage.bytes.data()), kImageSize));
}

TEST(RadioSim, RefusesToStartWithoutAWholeImageOrWithUnknownOptions)
{
    QTemporaryDir dir;
    QFile shortFile(dir.filePath("short.bin"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(1023, '\0'));
    shortFile.close();

    QProcess sim;
    sim.start(QStringLiteral(ORVO_SIM_PATH), {"--image", shortFile.fileName()});
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(sim.exitCode(), 1);
    EXPECT_TRUE(sim.readAllStandardOutput().isEmpty());

    sim.start(QStringLiteral(ORVO_SIM_PATH), {"--image", "/dev/zero"});
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(sim.exitCode(), 1);

    sim.start(QStringLiteral(ORVO_SIM_PATH), {"--short-read", "3"});
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(sim.exitCode(), 2);
}

TEST(RadioSim, PacedAnswersCarryTheSameBytes)
{
    SimProcess sim({"--baud", "9600"});
    ASSERT_TRUE(sim.started());
    auto line = makeSerialLine();
    ASSERT_TRUE(openRadioPort(*line, sim.path(), kCloneTimeouts));
    for (std::uint8_t byte : std::array<std::uint8_t, 8>{0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'}) {
        line->purge();
        line->write(&byte, 1);
        line->pause(1);
    }
    std::uint8_t ack = 0;
    ASSERT_EQ(line->read(&ack, 1), 1);
    EXPECT_EQ(ack, 0x06);
    const std::uint8_t identify = 0x02;
    line->write(&identify, 1);
    std::array<std::uint8_t, 8> identification{};
    EXPECT_EQ(line->read(identification.data(), identification.size()), 8);
}
