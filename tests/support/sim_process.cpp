#include "sim_process.h"

#include <QFile>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

SimProcess::SimProcess(const QStringList& options, const orvo::RadioImage* image)
{
    // The caller's options come last, so that they win over these.
    QStringList arguments{"--dump", m_dir.filePath("memory.bin"), "--log", logPath()};
    arguments << options;
    if (image) {
        arguments << "--image" << m_dir.filePath("start.bin");
        writeFileBytes(arguments.last(), toBytes(*image));
    }
    std::vector<std::string> words{ORVO_SIM_PATH};
    for (const QString& argument : arguments)
        words.push_back(argument.toStdString());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // A plain fork and exec: QProcess's way of starting a child, which shares the parent's memory
    // until the exec, confuses ThreadSanitizer's view of the parent's threads (./test.sh --tsan).
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        return;
    m_pid = fork();
    if (m_pid == 0) {
        // The radio answers within its time even while builds keep the machine busy: ahead of
        // them where the system allows it (root), at the usual priority otherwise.
        setpriority(PRIO_PROCESS, 0, -10);
        dup2(output[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(output[1]);
    m_output = output[0];
    if (m_pid < 0)
        return;
    // The first line is the device path.
    std::string line;
    char c = 0;
    pollfd ready{m_output, POLLIN, 0};
    while (poll(&ready, 1, 10000) == 1 && read(m_output, &c, 1) == 1 && c != '\n')
        line += c;
    if (c == '\n')
        m_path = line;
}

SimProcess::~SimProcess()
{
    stop(SIGKILL);
    if (m_output >= 0)
        close(m_output);
}

void SimProcess::stop(int signal)
{
    if (m_pid <= 0)
        return;
    kill(m_pid, signal);
    for (int waited = 0; waited < 1000; ++waited) {
        if (waitpid(m_pid, nullptr, WNOHANG) != 0)
            break;
        usleep(10000);
    }
    m_pid = -1;
}

orvo::RadioImage SimProcess::stopAndReadMemory()
{
    stop(SIGTERM);
    return fromBytes(readFileBytes(m_dir.filePath("memory.bin")));
}

std::vector<std::string> SimProcess::stopAndReadTestLog()
{
    stop(SIGTERM);
    std::vector<std::string> lines;
    for (const QByteArray& line : readFileBytes(logPath()).split('\n')) {
        // Each line starts with the milliseconds since the simulator started.
        const QString text = QString::fromUtf8(line).section(' ', 1, -1, QString::SectionSkipEmpty);
        if (text.startsWith("test") || text.startsWith("silent"))
            lines.push_back(text.trimmed().toStdString());
    }
    return lines;
}

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray toBytes(const orvo::RadioImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.bytes.data()), orvo::kImageSize);
}

orvo::RadioImage fromBytes(const QByteArray& bytes)
{
    orvo::RadioImage image;
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), orvo::kImageSize),
                image.bytes.begin());
    return image;
}

orvo::RadioImage patternedImage(int seed)
{
    orvo::RadioImage image;
    for (std::size_t i = 0; i < orvo::kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(
            (i * 7 + static_cast<std::size_t>(seed) * 31 + (i >> 8)) & 0xFF);
    return image;
}
