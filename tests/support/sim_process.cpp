#include "sim_process.h"

#include <QFile>

#include <algorithm>

SimProcess::SimProcess(const QStringList& options, const orvo::RadioImage* image)
{
    // The caller's options come last, so that they win over these.
    QStringList arguments{"--dump", m_dir.filePath("memory.bin"), "--log", logPath()};
    arguments << options;
    if (image)
        arguments << "--image" << writeImageFile(m_dir.path(), "start.bin", *image);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(ORVO_SIM_PATH), arguments);
    if (!m_process.waitForStarted(10000))
        return;
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    m_path = m_process.readLine().trimmed().toStdString();
}

SimProcess::~SimProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

orvo::RadioImage SimProcess::stopAndReadMemory()
{
    m_process.terminate();
    m_process.waitForFinished(10000);
    orvo::RadioImage image;
    const QByteArray bytes = readWholeFile(m_dir.filePath("memory.bin"));
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), orvo::kImageSize),
                image.bytes.begin());
    return image;
}

std::vector<std::string> SimProcess::stopAndReadTestLog()
{
    m_process.terminate();
    m_process.waitForFinished(10000);
    std::vector<std::string> lines;
    for (const QByteArray& line : readWholeFile(logPath()).split('\n')) {
        // Each line starts with the milliseconds since the simulator started.
        const QString text = QString::fromUtf8(line).section(' ', 1, -1, QString::SectionSkipEmpty);
        if (text.startsWith("test") || text.startsWith("silent"))
            lines.push_back(text.trimmed().toStdString());
    }
    return lines;
}

QString writeImageFile(const QString& folder, const QString& name, const orvo::RadioImage& image)
{
    const QString path = folder + '/' + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char*>(image.bytes.data()), orvo::kImageSize);
    return path;
}

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

orvo::RadioImage patternedImage(int seed)
{
    orvo::RadioImage image;
    for (std::size_t i = 0; i < orvo::kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(
            (i * 7 + static_cast<std::size_t>(seed) * 31 + (i >> 8)) & 0xFF);
    return image;
}
