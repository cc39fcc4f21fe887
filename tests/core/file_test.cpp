// Safe writes in the process itself: modes, links and leftovers. What loads, and how each verb of
// orvo-cli fails, is cli_test's.
#include "core/formats/atomic_file.h"

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
