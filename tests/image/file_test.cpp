// Channel data files in the process itself: what loads, and the safe writes' modes, links and
// leftovers. How each verb of orvo-cli fails is cli_test's.
#include "core/formats/atomic_file.h"
#include "core/formats/channel_file.h"
#include "core/image/radio_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

namespace orvo {
namespace {

namespace fs = std::filesystem;

[[maybe_unused]] std::string read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

[[maybe_unused]] std::set<std::string> entries(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

class ImageFiles : public ::testing::Test
{
protected:
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    const fs::path dir = fs::temp_directory_path() / ("orvo-image-" + std::to_string(::getpid()));
};

TEST_F(ImageFiles, ShorterThan1024BytesAreRefusedUnchangedLongerOnesLoadTheirFirst1024)
{
    for (std::size_t size : {0, 1023, 1024, 1100}) {
        std::ofstream((dir / "f.sin").string(), std::ios::binary) << std::string(size, '\x5A');
        RadioImage image = RadioImage::makeNew();
        const FileResult r = loadImageFile((dir / "f.sin").string(), image);
        EXPECT_EQ(r.ok, size >= 1024) << size;
        EXPECT_EQ(image[1023], r.ok ? 0x5A : 0xFF);
        if (!r.ok) {
            EXPECT_NE(r.errorText().find(std::to_string(size) + " bytes"), std::string::npos)
                << r.errorText();
            EXPECT_EQ(image, RadioImage::makeNew()) << size;
        }
    }
    RadioImage image = RadioImage::makeNew();
    EXPECT_FALSE(loadImageFile(dir.string(), image).ok);
}

// Modes, links and process ids as POSIX has them (Windows: tests/windows/file_win_test.cpp).
#ifndef _WIN32
TEST_F(ImageFiles, SafeWritesKeepModeAndLinksAndRemoveOnlyDeadLeftovers)
{
    const std::string path = (dir / "out.sin").string();
    ASSERT_TRUE(writeFileAtomically(path, "old").ok);
    fs::permissions(path, fs::perms(0640));
    fs::create_symlink(path, dir / "link.sin");
    // Temporary names of a dead process go; ours, a living one's and odd ones stay.
    const std::string ours = ".out.sin.tmp-" + std::to_string(::getpid()) + "-9";
    for (const std::string& name :
         {ours, std::string(".out.sin.tmp-1-0"), std::string(".out.sin.tmp-x"),
          std::string(".out.sin.tmp-2147483646-0")})
        std::ofstream((dir / name).string()) << "left";
    ASSERT_TRUE(writeFileAtomically((dir / "link.sin").string(), "new").ok);
    EXPECT_EQ(read(path), "new");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    EXPECT_TRUE(fs::is_symlink(dir / "link.sin"));
    EXPECT_EQ(entries(dir), (std::set<std::string>{"link.sin", "out.sin", ours, ".out.sin.tmp-1-0",
                                                   ".out.sin.tmp-x"}));
}
#endif

} // namespace
} // namespace orvo
