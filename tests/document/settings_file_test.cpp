// The window's settings file where something other than a regular file stands: a named pipe
// would hold the start and a device or a pipe would be replaced by the first save.
#include "document/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace {

TEST(SettingsFile, ThatIsNoRegularFileIsNamedAndLeftAloneAndTheRunKeepsItsOwn)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    ASSERT_TRUE(QDir(home.path()).mkdir("Orvo"));
    const QString file = home.path() + "/Orvo/Orvo.conf";
    EXPECT_EQ(Settings::storeProblem(), QString());

    const std::function<void()> kinds[] = {
        [&] { ::mkfifo(QFile::encodeName(file).constData(), 0644); },
        [&] { QDir().mkdir(file); },
        [&] { QFile::link("/dev/null", file); },
    };
    for (const auto& make : kinds) {
        make();
        const auto kind = std::filesystem::symlink_status(file.toStdString()).type();
        EXPECT_TRUE(Settings::storeProblem().contains(file))
            << qPrintable(Settings::storeProblem());
        Settings().setRecentFiles({"/radios/a.sin"});
        EXPECT_EQ(Settings().recentFiles(), QStringList{"/radios/a.sin"});
        EXPECT_EQ(std::filesystem::symlink_status(file.toStdString()).type(), kind);
        std::filesystem::remove(file.toStdString());
    }
    EXPECT_EQ(QDir(home.path() + "/Orvo").entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList());
}

} // namespace
