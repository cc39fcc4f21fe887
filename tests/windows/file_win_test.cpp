// The Windows file calls: the names the system keeps for its devices are refused without being
// opened, a save replaces a file whole and leaves nothing beside it, and a read-only file is kept.
#include "core/formats/atomic_file.h"
#include "core/image/escaped_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <windows.h>

namespace orvo {
namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class WindowsFiles : public ::testing::Test
{
protected:
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override
    {
        for (const auto& e : fs::directory_iterator(dir))
            SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(dir);
    }
    std::string at(const char* name) const { return (dir / name).string(); }
    const fs::path dir =
        fs::temp_directory_path() / ("orvo-win-" + std::to_string(GetCurrentProcessId()));
};

TEST_F(WindowsFiles, DeviceNamesAreRefusedByNameInEveryFolderWithAnyExtension)
{
    for (const char* name : {"NUL", "nul.sin", "CON", "con.csv", "PRN.txt", "AUX", "Com1",
                             "COM9.sin", "lpt1.log", "LPT9", "NUL .sin", "CONOUT$", "\\\\.\\COM1",
                             "//./pipe/orvo"}) {
        // A name in the device space is a whole path; the others are refused in any folder.
        const bool whole = name[0] == '\\' || name[0] == '/';
        for (const std::string& path : {std::string(name), whole ? std::string(name) : at(name)}) {
            const FileResult write = writeFileAtomically(path, "data");
            EXPECT_FALSE(write.ok) << path;
            EXPECT_NE(write.errorText().find("it is a device, not a regular file"), std::string::npos)
                << write.errorText();
            EXPECT_FALSE(checkWritableTarget(path).ok) << path;
            std::string out = "kept";
            bool truncated = false;
            const FileResult r = readRegularFile(path, 1024, out, truncated);
            EXPECT_FALSE(r.ok) << path;
            EXPECT_EQ(out, "kept");
        }
    }
    EXPECT_TRUE(fs::is_empty(dir));
    // Names that only begin like a device's are files.
    for (const char* name : {"COM10.sin", "console.sin", "NULL.sin", "LPT0", "auxiliary.csv"}) {
        EXPECT_TRUE(writeFileAtomically(at(name), name).ok) << name;
        EXPECT_EQ(read(dir / name), name);
    }
}

TEST_F(WindowsFiles, ASaveReplacesTheFileWholeAndLeavesNothingBeside)
{
    const std::string path = at("out.sin");
    ASSERT_TRUE(writeFileAtomically(path, std::string(2000, 'a')).ok);
    ASSERT_TRUE(writeFileAtomically(path, "new").ok);
    EXPECT_EQ(read(path), "new");
    std::string out;
    bool truncated = true;
    ASSERT_TRUE(readRegularFile(path, 2, out, truncated).ok);
    EXPECT_EQ(out, "ne");
    EXPECT_TRUE(truncated);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(WindowsFiles, AReadOnlyFileAndAFolderAreRefusedAndKept)
{
    const std::string path = at("locked.sin");
    ASSERT_TRUE(writeFileAtomically(path, "old").ok);
    ASSERT_TRUE(SetFileAttributesW((dir / "locked.sin").c_str(), FILE_ATTRIBUTE_READONLY));
    for (const FileResult& r : {writeFileAtomically(path, "new"), checkWritableTarget(path)}) {
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.errorText(), "Cannot write " + quotedText(path) + ": Permission denied");
    }
    EXPECT_EQ(read(path), "old");
    const FileResult folder = writeFileAtomically(dir.string(), "x");
    EXPECT_NE(folder.errorText().find("it is a folder, not a regular file"), std::string::npos)
        << folder.errorText();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

} // namespace
} // namespace orvo
