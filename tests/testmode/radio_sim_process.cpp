#include "radio_sim_process.h"

#include <QFile>

namespace orvo::test {

RadioSimProcess::RadioSimProcess(const QStringList& options)
{
    // The program purges its input right after each write; a radio answers a little later. The
    // margin covers a busy test machine.
    QStringList arguments{"--delay", "10"};
    arguments << options << "--log" << m_dir.filePath("sim.log");
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(ORVO_SIM_PATH), arguments);
    if (!m_process.waitForStarted(10000))
        return;
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    m_path = m_process.readLine().trimmed().toStdString();
}

RadioSimProcess::~RadioSimProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

std::vector<std::string> RadioSimProcess::stopAndReadTestLog()
{
    m_process.terminate();
    m_process.waitForFinished(10000);
    std::vector<std::string> lines;
    QFile log(m_dir.filePath("sim.log"));
    if (!log.open(QIODevice::ReadOnly))
        return lines;
    while (!log.atEnd()) {
        // Each line starts with the milliseconds since the simulator started.
        const QString line = QString::fromUtf8(log.readLine()).trimmed();
        const QString text = line.section(' ', 1, -1, QString::SectionSkipEmpty);
        if (text.startsWith("test") || text.startsWith("silent"))
            lines.push_back(text.toStdString());
    }
    return lines;
}

CliRun runCli(const QStringList& arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(ORVO_CLI_PATH), arguments);
    CliRun run;
    if (!cli.waitForFinished(60000))
        return run;
    run.status = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.errors = cli.readAllStandardError().toStdString();
    run.output = cli.readAllStandardOutput().toStdString();
    return run;
}

} // namespace orvo::test
