#include "model/file_io.h"
#include "model_fixture.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using ReplaceFileTest = SiteStoreTest;

TEST_F(ReplaceFileTest, KeepsPermissionsAndWritesThroughLinks) {
    std::string path = Write("kept.csv", "old");
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(ReplaceFile(path.c_str(), "new"));
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Read(path), "new");

    std::string link = Path("link.csv");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    ASSERT_TRUE(ReplaceFile(link.c_str(), "through"));
    struct stat linkStat {};
    lstat(link.c_str(), &linkStat);
    EXPECT_TRUE(S_ISLNK(linkStat.st_mode));
    EXPECT_EQ(Read(path), "through");
}

// A file that already holds the bytes is kept (the simulator's memory after
// a read, a site saved unchanged) and marked as written; any other is
// replaced, and a read-only one stays refused.
TEST_F(ReplaceFileTest, AFileHoldingTheSameBytesIsKept) {
    std::string path = Write("same.psf", "A = \"1\"\r\n");
    struct stat before {};
    stat(path.c_str(), &before);
    timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    utimensat(AT_FDCWD, path.c_str(), old, 0);
    ASSERT_TRUE(ReplaceFile(path.c_str(), "A = \"1\"\r\n"));
    struct stat after {};
    stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_GT(after.st_mtime, 1000000000);
    for (const std::string& other : {std::string("A = \"2\"\r\n"), std::string("A = \"1\"\r\nB"),
                                     std::string("A = \"1\""), std::string()}) {
        ASSERT_TRUE(ReplaceFile(path.c_str(), other));
        EXPECT_EQ(Read(path), other);
    }
    if (geteuid() != 0) {
        chmod(path.c_str(), 0444);
        EXPECT_FALSE(ReplaceFile(path.c_str(), ""));
    }
}

TEST_F(ReplaceFileTest, RefusesWhatCannotBeWrittenAndLeavesItAlone) {
    EXPECT_FALSE(ReplaceFile(dir.string().c_str(), "x")); // a folder
    EXPECT_TRUE(std::filesystem::is_directory(dir));
    EXPECT_FALSE(ReplaceFile(Path("missing/x.csv").c_str(), "x"));
    if (geteuid() != 0) { // root may write read-only files
        std::string path = Write("ro.csv", "old");
        chmod(path.c_str(), 0444);
        EXPECT_FALSE(ReplaceFile(path.c_str(), "new"));
        EXPECT_EQ(Read(path), "old");
    }
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_LE(files, 1); // no temporary file left behind
}

} // namespace
#endif
