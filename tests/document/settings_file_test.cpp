// The window's settings file where something other than a readable regular file stands: a named
// pipe would hold the start, and a device, a pipe or a file the user cannot read would be replaced
// by the first save.
#include "document/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The notice as the user sees it. Root reads every file, so it then looks as another user would.
QString problemAsUser()
{
    const bool asUser = ::geteuid() == 0 && ::seteuid(65534) == 0;
    const QString problem = Settings::storeProblem();
    return asUser && ::seteuid(0) != 0 ? QString() : problem;
}

TEST(SettingsFile, ThatIsNoRegularFileIsNamedAndLeftAloneAndTheRunKeepsItsOwn)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    ASSERT_TRUE(QDir(home.path()).mkdir("Orvo"));
    ::chmod(QFile::encodeName(home.path()).constData(), 0755);
    const QString file = home.path() + "/Orvo/Orvo.conf";
    EXPECT_EQ(Settings::storeProblem(), QString());
    QTemporaryDir ownStore; // as main() keeps the run's settings once a problem is found

    const std::function<void()> kinds[] = {
        [&] { ::mkfifo(QFile::encodeName(file).constData(), 0644); },
        [&] { QDir().mkdir(file); },
        [&] { QFile::link("/dev/null", file); },
        [&] {
            QFile unreadable(file);
            unreadable.open(QIODevice::WriteOnly);
            unreadable.setPermissions({});
        },
    };
    for (const auto& make : kinds) {
        make();
        const auto kind = std::filesystem::symlink_status(file.toStdString()).type();
        const QString problem = problemAsUser();
        EXPECT_TRUE(problem.contains(file)) << qPrintable(problem);
        Settings::useStoreFolder(ownStore.path());
        Settings().setRecentFiles({"/radios/a.sin"});
        EXPECT_EQ(Settings().recentFiles(), QStringList{"/radios/a.sin"});
        EXPECT_EQ(std::filesystem::symlink_status(file.toStdString()).type(), kind);
        std::filesystem::remove(file.toStdString());
    }
    EXPECT_EQ(QDir(home.path() + "/Orvo").entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList());
}

} // namespace
