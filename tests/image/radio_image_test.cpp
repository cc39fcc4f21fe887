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

    std::string write(const std::string& name, std::size_t size)
    {
        const auto path = (dir / name).string();
        std::ofstream out(path, std::ios::binary);
        for (std::size_t i = 0; i < size; ++i)
            out.put(static_cast<char>(i * 7 + 3));
        return path;
    }
    static std::string read(const fs::path& path)
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

// Brings the image up to date from the texts it shows, as a save from the form does.
void saveFromForm(RadioImage& image)
{
    SettingSelections selections = initialSelections();
    for (int ch = 1; ch <= kChannelCount; ++ch)
        encodeChannel(decodeChannel(image, ch), image, ch);
    decodeSettings(image, selections);
    encodeSettings(selections, image);
}

TEST(NewImage, ShowsSixteenEmptyChannelsAndTheNewSettingsAndSavesUnchangedButTheChannels)
{
    const RadioImage fresh = RadioImage::makeNew();
    for (int ch = 1; ch <= kChannelCount; ++ch)
        EXPECT_EQ(decodeChannel(fresh, ch), ChannelTexts{}) << ch;
    SettingSelections s;
    s.fill(-1);
    decodeSettings(fresh, s);
    // Type, Field, Scan, Beep, Battery, Squelch, TxTime, Voice, Moni, Urgency
    EXPECT_EQ(s, (SettingSelections{0, 0, 1, 0, 1, 9, 6, 2, 3, 3}));

    RadioImage saved = fresh;
    saveFromForm(saved);
    for (std::size_t i = 0; i < 1024; ++i) {
        const std::size_t rec = i / 16, byte = i % 16;
        const bool channel = rec >= 1 && rec <= 16;
        const std::uint8_t want = channel && byte <= 11 ? 0xFF : channel && byte == 12 ? 0xAF : fresh[i];
        ASSERT_EQ(saved[i], want) << "offset 0x" << std::hex << i;
    }
}

TEST(UninterpretedBytes, SurviveDecodeAndEncodeOfChannelsAndSettings)
{
    // Every byte a pattern; the form's conversions may only change what they own.
    RadioImage image;
    for (std::size_t i = 0; i < 1024; ++i)
        image[i] = static_cast<std::uint8_t>(i * 37 + 11);
    const RadioImage before = image;
    saveFromForm(image);
    for (std::size_t i = 0; i < 1024; ++i) {
        const std::size_t rec = i / 16, byte = i % 16;
        const bool channel = rec >= 1 && rec <= 16;
        if (channel && byte == 12) {
            EXPECT_EQ(image[i] & 0xAA, before[i] & 0xAA) << "offset 0x" << std::hex << i;
        } else if (i == 0x3C0) {
            EXPECT_EQ(image[i] & 0x08, before[i] & 0x08);
        } else if (!(channel && byte <= 14) && !(i >= 0x3C1 && i <= 0x3C3) && i != 0x3D2 &&
                   i != 0x3D6) {
            ASSERT_EQ(image[i], before[i]) << "offset 0x" << std::hex << i;
        }
    }
}

TEST_F(TempDir, FilesShorterThan1024BytesAreRefusedAndChangeNothingLongerOnesLoadTheirFirst1024)
{
    for (std::size_t size : {0, 1, 1000, 1023, 1024, 1100}) {
        RadioImage image = RadioImage::makeNew();
        const RadioImage before = image;
        const auto path = write("f.sin", size);
        const FileResult r = loadImageFile(path, image);
        EXPECT_EQ(r.ok, size >= 1024) << size;
        if (!r.ok) {
            EXPECT_NE(r.error.find(std::to_string(size) + " bytes"), std::string::npos) << r.error;
            EXPECT_EQ(image, before) << size;
            continue;
        }
        ASSERT_TRUE(saveImageFile((dir / "again.sin").string(), image).ok);
        EXPECT_EQ(read(dir / "again.sin"), read(path).substr(0, 1024));
    }
    RadioImage image = RadioImage::makeNew();
    const FileResult r = loadImageFile((dir / "absent.sin").string(), image);
    EXPECT_NE(r.error.find("absent.sin"), std::string::npos);
    EXPECT_FALSE(loadImageFile(dir.string(), image).ok);
    EXPECT_EQ(image, RadioImage::makeNew());
}

TEST_F(TempDir, AtomicWritesReplaceWholeKeepModeAndLinksAndLeaveNothingBehindOnFailure)
{
    const auto path = write("out.sin", 1024);
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(path, "new contents").ok);
    EXPECT_EQ(read(path), "new contents");
    struct stat st
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    fs::create_symlink(path, dir / "link.sin");
    ASSERT_TRUE(writeFileAtomically((dir / "link.sin").string(), "abc").ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link.sin"));
    EXPECT_EQ(read(path), "abc");

    // The target is a folder: the rename fails after the data was written.
    fs::create_directories(dir / "taken.sin" / "inside");
    const FileResult r = writeFileAtomically((dir / "taken.sin").string(), "data");
    EXPECT_NE(r.error.find("taken.sin"), std::string::npos);
    EXPECT_FALSE(writeFileAtomically((dir / "no" / "such.sin").string(), "data").ok);
    auto names = entries();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"link.sin", "out.sin", "taken.sin"}));
}

} // namespace
} // namespace orvo
