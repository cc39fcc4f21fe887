#include "image/atomic_file.h"
#include "image/channel_codec.h"
#include "image/radio_image.h"
#include "image/settings_codec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <vector>

namespace orvo {
namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class TempDir : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("orvo-image-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const auto path = (dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
    static std::vector<std::uint8_t> read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        return names;
    }

    fs::path dir;
};

std::vector<std::uint8_t> pattern(std::size_t size)
{
    std::vector<std::uint8_t> v(size);
    for (std::size_t i = 0; i < size; ++i)
        v[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return v;
}

TEST(NewImage, HoldsExactlyTheDocumentedBytes)
{
    // Expected image built independently from the table of a new image's contents.
    std::array<std::uint8_t, 1024> want;
    want.fill(0xFF);
    for (int k = 0; k < 16; ++k)
        want[0x280 + k] = static_cast<std::uint8_t>(k + 1);
    want[0x012] = 0xFE;
    want[0x01C] = 0xFB;
    const std::uint8_t pairs[8][8] = {{0x00, 0x00, 0x01, 0x46, 0x00, 0x00, 0x00, 0x46},
                                      {0x00, 0x00, 0x01, 0x45, 0x00, 0x00, 0x00, 0x45},
                                      {0x00, 0x00, 0x99, 0x46, 0x00, 0x75, 0x99, 0x46},
                                      {0x00, 0x00, 0x03, 0x46, 0x00, 0x00, 0x03, 0x46},
                                      {0x00, 0x50, 0x03, 0x46, 0x00, 0x50, 0x03, 0x46},
                                      {0x00, 0x00, 0x04, 0x46, 0x00, 0x00, 0x04, 0x46},
                                      {0x00, 0x50, 0x03, 0x46, 0x00, 0x50, 0x03, 0x46},
                                      {0x00, 0x50, 0x04, 0x46, 0x00, 0x50, 0x04, 0x46}};
    for (int r = 0; r < 8; ++r) {
        for (int b = 0; b < 8; ++b)
            want[0x110 + r * 16 + b] = pairs[r][b];
        want[0x110 + r * 16 + 13] = 0x01;
        want[0x110 + r * 16 + 14] = 0x01;
    }
    const std::pair<int, std::uint8_t> singles[] = {
        {0x3C0, 0xF7}, {0x3C1, 0x09}, {0x3C2, 0x03}, {0x3C3, 0x06}, {0x3D0, 0x00}, {0x3D1, 0x00},
        {0x3D2, 0xF4}, {0x3D3, 0x37}, {0x3D4, 0x30}, {0x3D5, 0x31}, {0x3D6, 0x33}, {0x3D7, 0x50},
        {0x3F0, 0xDE}, {0x3F1, 0x09}, {0x3F2, 0x2B}, {0x3F3, 0x69}, {0x3F4, 0xD8}, {0x3F5, 0xAA},
        {0x3F6, 0x41}, {0x3F7, 0xAA}, {0x3F8, 0x60}, {0x3F9, 0x4B}};
    for (auto [offset, value] : singles)
        want[static_cast<std::size_t>(offset)] = value;

    const RadioImage image = RadioImage::makeNew();
    for (std::size_t i = 0; i < 1024; ++i)
        ASSERT_EQ(image[i], want[i]) << "offset 0x" << std::hex << i;
}

TEST(NewImage, ShowsSixteenEmptyChannelsAndTheNewSettings)
{
    const RadioImage image = RadioImage::makeNew();
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        EXPECT_TRUE(isChannelEmpty(image, ch)) << ch;
        for (const std::string& t : decodeChannel(image, ch))
            EXPECT_EQ(t, "") << ch;
    }
    SettingSelections s;
    s.fill(-1);
    decodeSettings(image, s);
    // Type, Field, Scan, Beep, Battery, Squelch, TxTime, Voice, Moni, Urgency
    EXPECT_EQ(s, (SettingSelections{0, 0, 1, 0, 1, 9, 6, 2, 3, 3}));
}

// Brings the image up to date from the texts it shows, as a save from the form does.
void saveFromForm(RadioImage& image, SettingSelections& selections)
{
    for (int ch = 1; ch <= kChannelCount; ++ch)
        encodeChannel(decodeChannel(image, ch), image, ch);
    decodeSettings(image, selections);
    encodeSettings(selections, image);
}

TEST_F(TempDir, NewImageSavedAtOnceDiffersOnlyInTheReencodedEmptyChannels)
{
    RadioImage image = RadioImage::makeNew();
    SettingSelections sel = initialSelections();
    saveFromForm(image, sel);
    const auto path = (dir / "new.sin").string();
    ASSERT_TRUE(saveImageFile(path, image).ok);
    const auto bytes = read(path);
    ASSERT_EQ(bytes.size(), 1024u);

    const RadioImage fresh = RadioImage::makeNew();
    for (std::size_t i = 0; i < 1024; ++i) {
        const std::size_t rec = i / 16, byte = i % 16;
        std::uint8_t want = fresh[i];
        if (rec >= 1 && rec <= 16 && byte <= 11)
            want = 0xFF;
        if (rec >= 1 && rec <= 16 && byte == 12)
            want = 0xAF;
        ASSERT_EQ(bytes[i], want) << "offset 0x" << std::hex << i;
    }
}

TEST_F(TempDir, ShortAndEmptyFilesAreRefusedAndChangeNothing)
{
    const RadioImage before = [] {
        RadioImage i = RadioImage::makeNew();
        i[0x3C1] = 0x05;
        return i;
    }();
    for (std::size_t size :
         {std::size_t{0}, std::size_t{1}, std::size_t{1000}, std::size_t{1023}}) {
        RadioImage image = before;
        const auto path = write("short.sin", pattern(size));
        const FileResult r = loadImageFile(path, image);
        EXPECT_FALSE(r.ok) << size;
        EXPECT_NE(r.error.find(std::to_string(size) + " bytes"), std::string::npos) << r.error;
        EXPECT_EQ(image, before) << size;
    }
}

TEST_F(TempDir, FilesOf1024BytesOrMoreLoadTheirFirst1024)
{
    for (std::size_t size : {std::size_t{1024}, std::size_t{1100}}) {
        const auto bytes = pattern(size);
        RadioImage image = RadioImage::makeNew();
        ASSERT_TRUE(loadImageFile(write("f.sin", bytes), image).ok) << size;
        EXPECT_TRUE(std::equal(image.bytes.begin(), image.bytes.end(), bytes.begin())) << size;

        const auto out = (dir / "again.sin").string();
        ASSERT_TRUE(saveImageFile(out, image).ok);
        const auto again = read(out);
        ASSERT_EQ(again.size(), 1024u);
        EXPECT_TRUE(std::equal(again.begin(), again.end(), bytes.begin()));
    }
}

TEST_F(TempDir, MissingFilesAndFoldersAreReportedWithoutChangingTheImage)
{
    RadioImage image = RadioImage::makeNew();
    const RadioImage before = image;
    FileResult r = loadImageFile((dir / "absent.sin").string(), image);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("absent.sin"), std::string::npos);
    r = loadImageFile(dir.string(), image);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(image, before);
}

TEST_F(TempDir, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile)
{
    const auto path = write("out.sin", pattern(1024));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(path, "new contents").ok);
    const auto bytes = read(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "new contents");
    EXPECT_EQ(entries(), std::vector<std::string>{"out.sin"});
    struct stat st
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(TempDir, FailedAtomicWriteKeepsThePreviousFile)
{
    // The target is a folder: the rename fails after the data was written.
    fs::create_directories(dir / "taken.sin" / "inside");
    const FileResult r = writeFileAtomically((dir / "taken.sin").string(), "data");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("taken.sin"), std::string::npos);
    EXPECT_EQ(entries(), std::vector<std::string>{"taken.sin"});

    const FileResult missing = writeFileAtomically((dir / "no" / "such.sin").string(), "data");
    EXPECT_FALSE(missing.ok);
}

TEST_F(TempDir, AtomicWriteThroughASymbolicLinkKeepsTheLink)
{
    const auto real = write("real.sin", pattern(4));
    fs::create_symlink(real, dir / "link.sin");
    ASSERT_TRUE(writeFileAtomically((dir / "link.sin").string(), "abc").ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link.sin"));
    const auto bytes = read(real);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abc");
}

TEST(UninterpretedBytes, SurviveDecodeAndEncodeOfChannelsAndSettings)
{
    // Every byte a pattern; the form's conversions may only change what they own.
    RadioImage image;
    for (std::size_t i = 0; i < 1024; ++i)
        image[i] = static_cast<std::uint8_t>(i * 37 + 11);
    // Give channels valid frequencies so that their flags decode.
    const RadioImage before = image;
    SettingSelections sel = initialSelections();
    for (int ch = 1; ch <= kChannelCount; ++ch)
        encodeChannel(decodeChannel(image, ch), image, ch);
    decodeSettings(image, sel);
    encodeSettings(sel, image);

    for (std::size_t i = 0; i < 1024; ++i) {
        const std::size_t rec = i / 16, byte = i % 16;
        const bool channel = rec >= 1 && rec <= 16;
        if (channel && byte <= 11)
            continue; // re-encoded from the texts
        if (channel && byte == 12) {
            EXPECT_EQ(image[i] & 0xAA, before[i] & 0xAA) << "offset 0x" << std::hex << i;
            continue;
        }
        if (channel && (byte == 13 || byte == 14))
            continue; // step flags follow the frequency
        if (i == 0x3C0) {
            EXPECT_EQ(image[i] & 0x08, before[i] & 0x08);
            continue;
        }
        if (i >= 0x3C1 && i <= 0x3C3)
            continue;
        if (i == 0x3D2 || i == 0x3D6)
            continue;
        ASSERT_EQ(image[i], before[i]) << "offset 0x" << std::hex << i;
    }
}

} // namespace
} // namespace orvo
