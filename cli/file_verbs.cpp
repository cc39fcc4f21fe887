// Verbs on channel data files: new, show, export, import, diff.
#include "core/formats/channel_csv.h"
#include "core/formats/channel_file.h"
#include "core/formats/channel_import.h"
#include "core/formats/common_csv.h"
#include "verbs.h"

#include "core/editing/band_check.h"
#include "core/formats/atomic_file.h"
#include "core/image/channel_codec.h"
#include "core/image/escaped_text.h"
#include "core/image/image_diff.h"
#include "core/image/radio_image.h"
#include "core/image/settings_codec.h"
#include "core/link/verify.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace orvo::cli {

namespace {

bool wantsHelp(int argc, char** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    }
    return false;
}

int usage(const char* verb, const char* args, bool help)
{
    std::fprintf(help ? stdout : stderr, "usage: orvo-cli %s %s\n", verb, args);
    return help ? kExitOk : kExitUsage;
}

// Takes the arguments of a verb that has no options but --help and, when named, `option` with
// its value: exactly `count` files. The exit status when the verb ends here (help shown or a
// usage error reported), else nothing.
std::optional<int> takeFiles(const char* verb, const char* args, int argc, char** argv,
                             std::size_t count, std::vector<std::string>& files,
                             const char* option = nullptr, std::string* value = nullptr)
{
    if (wantsHelp(argc, argv))
        return usage(verb, args, true);
    for (int i = 0; i < argc; ++i) {
        if (option && std::strcmp(argv[i], option) == 0) {
            if (i + 1 >= argc)
                return usage(verb, args, false);
            *value = argv[++i];
            continue;
        }
        if (isOption(argv[i])) {
            std::fprintf(stderr, "orvo-cli %s: unknown option '%s'\n", verb,
                         escapedText(argv[i]).c_str());
            return usage(verb, args, false);
        }
        files.emplace_back(argv[i]);
    }
    if (files.size() != count)
        return usage(verb, args, false);
    return std::nullopt;
}

void fail(const std::string& message)
{
    std::fprintf(stderr, "orvo-cli: %s\n", message.c_str());
}

std::optional<RadioImage> loadOrReport(const std::string& path)
{
    RadioImage image;
    const FileResult r = loadImageFile(path, image);
    if (!r.ok) {
        fail(r.errorText());
        return std::nullopt;
    }
    return image;
}

// A text file, or standard input for "-": at most one byte more than an import reads, so that
// a larger one is refused without being held whole. Pipes and devices are refused unread.
std::optional<std::string> readText(const std::string& path)
{
    if (path == "-") {
        std::string text(kMaxCsvBytes + 1, '\0');
        std::cin.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(std::cin.gcount()));
        return text;
    }
    std::string text;
    bool longer = false;
    if (const FileResult r = readRegularFile(path, kMaxCsvBytes + 1, text, longer); !r.ok) {
        fail(r.errorText());
        return std::nullopt;
    }
    return text;
}

bool writeOrReport(const std::string& path, std::string_view data)
{
    const FileResult r = writeFileAtomically(path, data);
    if (!r.ok)
        fail(r.errorText());
    return r.ok;
}

std::string hexByte(std::uint8_t b)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", b);
    return buf;
}

// ---- new ----

int runNew(int argc, char** argv)
{
    std::vector<std::string> files;
    if (const auto end = takeFiles("new", "OUT.sin", argc, argv, 1, files))
        return *end;
    const FileResult r = saveImageFile(files[0], RadioImage::makeNew());
    if (!r.ok)
        fail(r.errorText());
    return r.ok ? kExitOk : kExitFailed;
}

// ---- show ----

int runShow(int argc, char** argv)
{
    std::vector<std::string> files;
    if (const auto end = takeFiles("show", "FILE.sin", argc, argv, 1, files))
        return *end;
    const auto image = loadOrReport(files[0]);
    if (!image)
        return kExitFailed;

    const SettingSelections s = formSelections(*image);
    std::size_t labelWidth = 0;
    for (const SettingBoxInfo& box : settingBoxes())
        labelWidth = std::max(labelWidth, std::strlen(box.label));
    for (std::size_t b = 0; b < settingBoxes().size(); ++b) {
        const char* label = settingBoxes()[b].label;
        std::printf("%s:%*s %s\n", label, static_cast<int>(labelWidth - std::strlen(label)), "",
                    selectedText(s, b).c_str());
    }
    if (!isZt4Image(*image)) {
        std::printf(
            "(model code %s is not ZT-4; Field is read from the band code %s all the same)\n",
            hexByte((*image)[0x3D6]).c_str(), hexByte((*image)[0x3D2]).c_str());
    }
    std::printf("\n");

    std::vector<std::vector<std::string>> table;
    const auto& headers = channelColumnHeaders();
    table.emplace_back(headers.begin(), headers.end());
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const ChannelTexts t = decodeChannel(*image, ch);
        std::vector<std::string> row{std::to_string(ch)};
        row.insert(row.end(), t.begin(), t.end());
        table.push_back(std::move(row));
    }
    std::vector<std::size_t> widths(table[0].size(), 0);
    for (const auto& row : table) {
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    for (const auto& row : table) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += "  ";
            line += row[c];
            line += std::string(widths[c] - row[c].size(), ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        std::printf("%s\n", line.c_str());
    }
    return kExitOk;
}

// ---- export ----

int runExport(int argc, char** argv)
{
    static const char* kArgs = "FILE.sin OUT.csv [--format orvo|common]   (OUT.csv '-' writes to "
                               "standard output; common: the memory CSV of other programs)";
    std::vector<std::string> files;
    std::string format = "orvo";
    if (const auto end = takeFiles("export", kArgs, argc, argv, 2, files, "--format", &format))
        return *end;
    if (format != "orvo" && format != "common")
        return usage("export", kArgs, false);
    const bool common = format == "common";
    const auto image = loadOrReport(files[0]);
    if (!image)
        return kExitFailed;
    const CommonCsvExport exported = common ? exportCommonCsv(*image) : CommonCsvExport{};
    for (const Message& remark : exportRemarks(exported))
        fail(messageText(remark));
    const std::string csv = common ? exported.text : exportChannelCsv(*image);
    if (files[1] == "-") {
        // main() checks that standard output took it.
        std::fwrite(csv.data(), 1, csv.size(), stdout);
        return kExitOk;
    }
    return writeOrReport(files[1], csv) ? kExitOk : kExitFailed;
}

// ---- import ----

int runImport(int argc, char** argv)
{
    static const char* kArgs =
        "FILE.sin IN.csv -o OUT.sin [--field BAND] [--replace] [--place location|order "
        "[--start N]] [--skip-unfit]   (IN.csv '-' reads standard input; BAND as the Field list "
        "shows it, \"400 - 470MHz\"; --replace empties the channels the file does not fill; "
        "--place order fills channels N (1), N+1 ... in the file's order instead of by its "
        "Location or CH; --skip-unfit skips the lines this radio cannot take, lists them and "
        "imports the rest)";
    if (wantsHelp(argc, argv))
        return usage("import", kArgs, true);
    std::vector<std::string> positional;
    std::optional<std::string> out;
    int field = -1;
    bool replace = false;
    bool skipUnfit = false;
    std::optional<std::string> place;
    std::optional<int> start;
    for (int i = 0; i < argc; ++i) {
        const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (std::strcmp(argv[i], "--replace") == 0) {
            replace = true;
        } else if (std::strcmp(argv[i], "--skip-unfit") == 0) {
            skipUnfit = true;
        } else if (std::strcmp(argv[i], "-o") == 0) {
            const char* v = value();
            if (!v || out)
                return usage("import", kArgs, false);
            out = v;
        } else if (std::strcmp(argv[i], "--place") == 0) {
            const char* v = value();
            if (!v || place || (std::strcmp(v, "order") != 0 && std::strcmp(v, "location") != 0))
                return usage("import", kArgs, false);
            place = v;
        } else if (std::strcmp(argv[i], "--start") == 0) {
            const char* v = value();
            const int n = v ? channelNamed(v) : -1;
            if (n < 1 || start) {
                if (v && n < 1)
                    std::fprintf(stderr, "orvo-cli import: --start takes a channel from 1 to %d\n",
                                 kChannelCount);
                return usage("import", kArgs, false);
            }
            start = n;
        } else if (std::strcmp(argv[i], "--field") == 0) {
            const char* v = value();
            if (!v || field >= 0)
                return usage("import", kArgs, false);
            field = fieldIndexOf(v);
            if (field < 0) {
                std::fprintf(stderr, "orvo-cli import: no Field %s\n", quotedText(v).c_str());
                return usage("import", kArgs, false);
            }
        } else if (isOption(argv[i])) {
            std::fprintf(stderr, "orvo-cli import: unknown option '%s'\n",
                         escapedText(argv[i]).c_str());
            return usage("import", kArgs, false);
        } else {
            positional.emplace_back(argv[i]);
        }
    }
    const bool inOrder = place && *place == "order";
    if (start && !inOrder)
        std::fprintf(stderr, "orvo-cli import: --start needs --place order\n");
    if (positional.size() != 2 || !out || (start && !inOrder))
        return usage("import", kArgs, false);

    auto image = loadOrReport(positional[0]);
    if (!image)
        return kExitFailed;
    // The band is set first: the frequencies are checked against it.
    selectBand(*image, field);
    const auto csv = readText(positional[1]);
    if (!csv)
        return kExitFailed;
    const RadioImage before = *image;
    const ImportPlan plan =
        planImport(*csv, *image,
                   {inOrder ? Placement::InOrder : Placement::ByLocation, start.value_or(1), {}});
    const std::string name = escapedText(positional[1]);
    const std::vector<Message> errors =
        skipUnfit && plan.refused.empty() ? std::vector<Message>{} : refusalMessages(plan);
    if (!errors.empty()) {
        for (const Message& e : errors)
            fail(name + ": " + messageText(e));
        fail("nothing written");
        return kExitFailed;
    }
    for (const Message& skipped : skippedLines(plan))
        fail(name + ": " + messageText(skipped));
    applyImport(plan, *image, replace);
    const int changed = changedChannelCount(before, *image);
    if (skipUnfit && changed == 0) {
        std::fprintf(stderr, "orvo-cli import: 0 channels changed\n");
        fail("nothing written");
        return kExitFailed;
    }
    const FileResult r = saveImageFile(*out, *image);
    if (!r.ok) {
        fail(r.errorText());
        return kExitFailed;
    }
    // A new Field leaves the channels of another band as they are: said as Save and Write say it.
    if (field >= 0) {
        for (const Message& line : outOfBandChannels(*image))
            fail(messageText(line));
    }
    std::fprintf(stderr, "orvo-cli import: %d channel%s changed\n", changed,
                 changed == 1 ? "" : "s");
    return kExitOk;
}

// ---- diff ----

int runDiff(int argc, char** argv)
{
    std::vector<std::string> files;
    if (const auto end = takeFiles("diff",
                                   "A.sin B.sin   (exit status 0 when equal, 1 when they differ, "
                                   "2 when they could not be compared)",
                                   argc, argv, 2, files))
        return *end;
    const auto a = loadOrReport(files[0]);
    const auto b = a ? loadOrReport(files[1]) : std::nullopt;
    if (!a || !b)
        return kExitNotCompared;
    // The lines verify prints: each difference with the clone block it lies in.
    for (const Message& line : blockDifferenceLines(compareImages(*a, *b)))
        std::printf("%s\n", messageText(line).c_str());
    return *a == *b ? kExitOk : kExitDiffer;
}

} // namespace

const Verb kFileVerbs[] = {
    {"new", "OUT.sin", "write the image of a new document", runNew},
    {"show", "FILE.sin", "print the settings and the channel table of a channel data file",
     runShow},
    {"export", "FILE.sin OUT.csv [--format orvo|common]",
     "write the channel table as CSV ('-' for standard output), or the memory CSV of other "
     "programs",
     runExport},
    {"import",
     "FILE.sin IN.csv -o OUT.sin [--field BAND] [--replace] [--place location|order [--start N]] "
     "[--skip-unfit]",
     "apply a CSV channel table or memory CSV to FILE.sin (its Field set to BAND first) and save "
     "the result as OUT.sin; channels the file does not fill are kept, or emptied with "
     "--replace; lines go to the channel their Location names, or in order from channel N; any "
     "line this radio cannot take refuses the file, or with --skip-unfit is skipped and listed",
     runImport},
    {"diff", "A.sin B.sin",
     "list the differences of two channel data files by meaning, then by byte", runDiff},
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace orvo::cli
