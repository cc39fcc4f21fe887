// orvo: the desktop application. An optional argument names a channel data file to open.
#include "app/application.h"
#include "document/language.h"
#include "document/settings.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

// --help and --version are answered before the window's platform is opened: they need no
// display. 0 when the argument was one of them, -1 otherwise.
int answerQuestion(const char* argument)
{
    if (std::strcmp(argument, "--version") == 0) {
        std::puts("orvo " ORVO_VERSION);
        return 0;
    }
    if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
        std::fputs("usage: orvo [FILE.sin]\n"
                   "       orvo --help | --version\n"
                   "Opens the window of Orvo Programming Software, with FILE.sin when given.\n"
                   "Qt's options (-platform, -style, -reverse, ...) are taken too.\n",
                   stdout);
        return 0;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    const auto entered = std::chrono::steady_clock::now();
    for (int i = 1; i < argc; ++i) {
        if (const int status = answerQuestion(argv[i]); status >= 0)
            return status;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvo"));
    QApplication::setDesktopFileName(QStringLiteral("orvo"));
    // QSettings would wait on a settings file that is a named pipe, read a device, and save over
    // either: such a file is left alone, and this run keeps its settings in a folder of its own,
    // removed at the end.
    const QString settingsProblem = Settings::storeProblem();
    const QTemporaryDir ownSettings;
    if (!settingsProblem.isEmpty())
        Settings::useStoreFolder(ownSettings.path());

    Application app;
    installTranslations(application, startLanguage(app.settings()));
    QApplication::setFont(languageFont(QApplication::font()));
    if (!app.start(QApplication::arguments().mid(1), settingsProblem))
        return 1;

    // For bench/run.sh: with ORVO_EXIT_AFTER_SHOW set, once the shown window's first events are
    // handled, print the monotonic clock and the milliseconds since main() began, and quit.
    if (qEnvironmentVariableIsSet("ORVO_EXIT_AFTER_SHOW")) {
        QTimer::singleShot(0, &application, [&application, entered] {
            const auto now = std::chrono::steady_clock::now();
            std::printf("shown monotonic_ns %lld main_ms %.3f\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                   now.time_since_epoch())
                                                   .count()),
                        std::chrono::duration<double, std::milli>(now - entered).count());
            std::fflush(stdout);
            application.quit();
        });
    }
    return application.exec();
}
