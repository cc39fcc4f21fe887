// orvo-cli-report: the report verb of orvo-cli, which runs it with the arguments after "report".
// The PDF needs Qt Gui and the fonts; in a program of its own they load only for the verb that
// draws, and the clone transfers of orvo-cli start without them.
#include "verbs.h"

#include "core/formats/channel_file.h"
#include "core/image/escaped_text.h"
#include "core/image/radio_image.h"
#include "core/report/report_data.h"
#include "render/report_pdf.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtGlobal>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orvo::cli {

namespace {

std::optional<ReportPage> pageNamed(std::string_view name)
{
    auto same = [name](std::string_view word) {
        if (name.size() != word.size())
            return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            const char a = name[i] >= 'A' && name[i] <= 'Z' ? char(name[i] - 'A' + 'a') : name[i];
            if (a != word[i])
                return false;
        }
        return true;
    };
    if (same("a4"))
        return ReportPage::A4;
    if (same("letter"))
        return ReportPage::Letter;
    return std::nullopt;
}

// Fonts need a GUI application; without a display the offscreen platform serves, so the verb
// works on a machine with no screen at all.
std::unique_ptr<QGuiApplication> ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    static int argc = 1;
    static char name[] = "orvo-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runReport(int argc, char** argv)
{
    const char* usage = "usage: orvo-cli report FILE.sin OUT.pdf [--page A4|Letter]\n";
    std::string in;
    std::string out;
    ReportPage page = ReportPage::A4;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--page") {
            if (i + 1 >= argc) {
                std::fputs(usage, stderr);
                return kExitUsage;
            }
            const std::optional<ReportPage> named = pageNamed(argv[++i]);
            if (!named) {
                std::fprintf(stderr, "orvo-cli report: unknown page size '%s' (A4 or Letter)\n",
                             escapedText(argv[i]).c_str());
                return kExitUsage;
            }
            page = *named;
        } else if (isOption(arg)) {
            std::fprintf(stderr, "orvo-cli report: unknown option '%s'\n%s",
                         escapedText(arg).c_str(), usage);
            return kExitUsage;
        } else if (in.empty()) {
            in = arg;
        } else if (out.empty()) {
            out = arg;
        } else {
            std::fputs(usage, stderr);
            return kExitUsage;
        }
    }
    if (in.empty() || out.empty()) {
        std::fputs(usage, stderr);
        return kExitUsage;
    }

    RadioImage image = RadioImage::makeNew();
    if (const FileResult loaded = loadImageFile(in, image); !loaded.ok) {
        std::fprintf(stderr, "orvo-cli report: %s\n", loaded.errorText().c_str());
        return kExitFailed;
    }

    const std::unique_ptr<QGuiApplication> app = ensureGuiApplication();
    if (const FileResult written = writeReportPdf(out, reportDataFromImage(image), page);
        !written.ok) {
        std::fprintf(stderr, "orvo-cli report: %s\n", written.errorText().c_str());
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

} // namespace orvo::cli

int main(int argc, char** argv)
{
    return argc < 1 ? orvo::cli::kExitUsage : orvo::cli::runReport(argc - 1, argv + 1);
}
