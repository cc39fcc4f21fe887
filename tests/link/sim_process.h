#pragma once
// orvo-radio-sim run for one test: its own pty, its own memory file, stopped when the test ends.

#include "image/radio_image.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

class SimProcess
{
public:
    // Starts the simulator with `options` plus a memory file in a fresh folder. When `image` is
    // given, the simulator starts with it.
    explicit SimProcess(const QStringList& options = {}, const orvo::RadioImage* image = nullptr);
    ~SimProcess();

    bool started() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }
    QString folder() const { return m_dir.path(); }
    qint64 pid() const { return m_process.processId(); }

    // Stops the simulator (it writes its memory on the way out) and returns that memory.
    orvo::RadioImage stopAndReadMemory();
    // The memory file as it stands; the simulator rewrites it before acknowledging a written block.
    orvo::RadioImage memoryFile() const;
    bool hasMemoryFile() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    std::string m_path;
};

// Writes an image to a file in `folder` and returns its path.
QString writeImageFile(const QString& folder, const QString& name, const orvo::RadioImage& image);
// Reads a whole file; empty when it does not exist.
QByteArray readWholeFile(const QString& path);

// An image with a pattern of its own for each seed, so that transfers cannot pass by chance.
orvo::RadioImage patternedImage(int seed);
