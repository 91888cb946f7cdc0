#include "model/file_io.h"
#include "model_fixture.h"

#ifndef _WIN32
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
