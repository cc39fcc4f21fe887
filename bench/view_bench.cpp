// orvo-bench-view: the application offscreen with a full channel data file (16 channels, every
// column filled, tones from the whole table): File Open of that file (load, initial update,
// command states, the recent-file list stored) and the document reset to the other image alone
// (the form following it), each timed several times, with and without the repaint that follows;
// and the recent-file list's store on its own.
//
//   orvo-bench-view [--runs N]
#include "bench_stats.h"

#include "app/application.h"
#include "app/file_controller.h"
#include "app/main_window.h"
#include "core/formats/channel_file.h"
#include "core/image/channel_codec.h"
#include "core/image/radio_image.h"
#include "core/image/settings_codec.h"
#include "core/image/tone_codec.h"
#include "document/document.h"
#include "document/settings.h"
#include "widgets/form_view.h"

#include <QApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Every channel in use, in the first band, with a different tone pair and the other columns
// alternating, so that decoding has all its work to do. Two variants (0, 1) differ in every cell.
orvo::RadioImage fullImage(int variant)
{
    orvo::RadioImage image = orvo::RadioImage::makeNew();
    const orvo::Band& band = orvo::bands()[0];
    const auto& tones = orvo::toneTable();
    for (int channel = 1; channel <= orvo::kChannelCount; ++channel) {
        char rx[32], tx[32];
        const double low = band.low / 100000.0;
        std::snprintf(rx, sizeof rx, "%.5f", low + 0.0125 * channel + variant * 0.5);
        std::snprintf(tx, sizeof tx, "%.5f", low + 0.025 * channel + variant * 0.5);
        const bool odd = (channel + variant) % 2 != 0;
        const orvo::ChannelTexts texts = {
            rx,
            tx,
            tones[static_cast<std::size_t>(channel * 13 + variant) % tones.size()],
            tones[static_cast<std::size_t>(channel * 17 + 5 + variant) % tones.size()],
            odd ? "Yes" : "No",
            odd ? "Wide" : "Narrow",
            odd ? "Add" : "Delete",
            odd ? "High" : "Low",
        };
        orvo::encodeChannel(texts, image, channel);
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 20;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));

    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Application app;
    if (!app.start({}))
        return 1;
    QApplication::processEvents();

    // Each run opens the other file, so that every cell changes.
    const QString paths[2] = {settingsHome.filePath(QStringLiteral("full0.sin")),
                              settingsHome.filePath(QStringLiteral("full1.sin"))};
    const orvo::RadioImage images[2] = {fullImage(0), fullImage(1)};
    for (int v = 0; v < 2; ++v)
        if (!orvo::saveImageFile(paths[v].toStdString(), images[v]).ok)
            return 1;

    std::vector<double> open, openPainted, update, updatePainted, recent;
    for (int run = 0; run < runs; ++run) {
        auto start = Clock::now();
        if (!app.files()->openFile(paths[run % 2]))
            return 1;
        open.push_back(msSince(start));
        app.mainWindow()->repaint();
        QApplication::processEvents();
        openPainted.push_back(msSince(start));

        start = Clock::now();
        app.document()->resetImage(images[(run + 1) % 2]);
        update.push_back(msSince(start));
        app.mainWindow()->repaint();
        QApplication::processEvents();
        updatePainted.push_back(msSince(start));
    }
    // File Open without its store of the recent-file list: load, initial update, command states.
    std::vector<double> openShown;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        orvo::RadioImage loaded;
        if (!orvo::loadImageFile(paths[run % 2].toStdString(), loaded).ok)
            return 1;
        app.document()->resetImage(loaded, paths[run % 2]);
        app.mainWindow()->view()->resetForm();
        app.mainWindow()->updateCommandStates();
        openShown.push_back(msSince(start));
    }
    // File Open stores the recent-file list in the per-user settings each time.
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        app.settings().setRecentFiles({paths[run % 2], paths[(run + 1) % 2]});
        recent.push_back(msSince(start));
    }
    if (app.document()->channelTexts(16)[0].empty()) {
        std::fprintf(stderr, "orvo-bench-view: channel 16 did not arrive in the grid\n");
        return 1;
    }
    orvo::bench::printSummary("file_open", open, "ms");
    orvo::bench::printSummary("file_open_painted", openPainted, "ms");
    orvo::bench::printSummary("file_open_without_store", openShown, "ms");
    orvo::bench::printSummary("recent_file_store", recent, "ms");
    orvo::bench::printSummary("update_view", update, "ms");
    orvo::bench::printSummary("update_view_painted", updatePainted, "ms");
    return 0;
}
