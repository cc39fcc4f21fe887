// orvo: the desktop application. An optional argument names a channel data file to open.
#include "app/application.h"
#include "document/language.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>

int main(int argc, char* argv[])
{
    const auto entered = std::chrono::steady_clock::now();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvo"));
    QApplication::setDesktopFileName(QStringLiteral("orvo"));
    installTranslations(application, startLanguage());
    QApplication::setFont(languageFont(QApplication::font()));

    Application app;
    if (!app.start(QApplication::arguments().mid(1)))
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
