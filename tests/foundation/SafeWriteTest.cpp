#include "Errors.h"
#include "FileSystem.h"
#include "ResourceLimit.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Names in the folder other than the given file: left-over temporary files.
std::vector<std::string> StrayFiles(const TTempFolder& Temp, const std::string& Keep) {
    std::vector<std::string> Names;
    for (const auto& Entry : fs::directory_iterator(Temp.Folder()))
        if (Entry.path().filename() != Keep)
            Names.push_back(Entry.path().filename().string());
    return Names;
}

TEST(SafeWrite, ReplacesContentAndKeepsPermissions) {
    TTempFolder Temp;
    const std::string Path = Temp.Write("a.ini", "old");
    fs::permissions(Path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ReplaceFileContent(Path, "new\r\n");
    EXPECT_EQ(Temp.Read("a.ini"), "new\r\n");
    EXPECT_EQ(fs::status(Path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(StrayFiles(Temp, "a.ini").empty());
}

TEST(SafeWrite, NewFileGetsTheUsualPermissions) {
    TTempFolder Temp;
    const mode_t Mask = umask(027);
    ReplaceFileContent(Temp.Path("new.ini"), "x");
    umask(Mask);
    struct stat Info {};
    ASSERT_EQ(stat(Temp.Path("new.ini").c_str(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 0777, 0640u);
}

TEST(SafeWrite, FailedWriteLeavesOldFileExactlyAsItWas) {
    TTempFolder Temp;
    const std::string Old(100, 'o');
    const std::string Path = Temp.Write("a.ini", Old);
    // A file-size limit makes the write fail half-way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    {
        TScopedResourceLimit SmallFiles(RLIMIT_FSIZE, 1000);
        try {
            ReplaceFileContent(Path, std::string(5000, 'n'));
            ADD_FAILURE() << "the write must fail";
        } catch (const EFCreateError& Error) {
            EXPECT_EQ(std::string(Error.what()),
                      "Cannot create file \"" + Path + "\". File too large");
        }
    }
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(Temp.Read("a.ini"), Old);
    EXPECT_TRUE(StrayFiles(Temp, "a.ini").empty());
}

TEST(SafeWrite, WritesThroughSymbolicLinkToItsTarget) {
    TTempFolder Temp;
    fs::create_directory(Temp.Path("real"));
    const std::string Target = Temp.Write("real/a.ini", "old");
    fs::create_symlink(Target, Temp.Path("link.ini"));
    ReplaceFileContent(Temp.Path("link.ini"), "new");
    EXPECT_TRUE(fs::is_symlink(Temp.Path("link.ini")));
    EXPECT_EQ(Temp.Read("real/a.ini"), "new");
}

// Runs Body in a child process of an ordinary user (nobody, when the test runs
// as the superuser), so that permissions apply; true when Body returned true.
bool AsOrdinaryUser(const std::function<bool()>& Body) {
    const pid_t Child = fork();
    if (Child == 0) {
        const bool Dropped = geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
        _exit(Dropped && Body() ? 0 : 1);
    }
    int Status = 0;
    return Child > 0 && waitpid(Child, &Status, 0) == Child && WIFEXITED(Status) &&
           WEXITSTATUS(Status) == 0;
}

TEST(SafeWrite, FolderThatTakesNoNewFileStillLetsItsFilesBeRewritten) {
    TTempFolder Temp;
    fs::create_directory(Temp.Path("Config"));
    const std::string Writable = Temp.Write("Config/a.ini", "old");
    const std::string ReadOnly = Temp.Write("Config/b.ini", "old");
    fs::permissions(Writable, fs::perms(0666));
    fs::permissions(ReadOnly, fs::perms(0444));
    fs::permissions(Temp.Path("Config"), fs::perms(0555)); // takes no new file
    fs::permissions(Temp.Folder(), fs::perms(0755));
    EXPECT_TRUE(AsOrdinaryUser([&] {
        ReplaceFileContent(Writable, "new\r\n");
        try {
            ReplaceFileContent(ReadOnly, "new");
            return false;
        } catch (const EFCreateError&) {
            return true;
        }
    }));
    EXPECT_EQ(Temp.Read("Config/a.ini"), "new\r\n");
    EXPECT_EQ(Temp.Read("Config/b.ini"), "old");
    EXPECT_EQ(fs::status(Writable).permissions(), fs::perms(0666));
}

TEST(SafeWrite, FolderInPlaceOfFileIsRefused) {
    TTempFolder Temp;
    fs::create_directory(Temp.Path("a.ini"));
    EXPECT_THROW(ReplaceFileContent(Temp.Path("a.ini"), "x"), EFCreateError);
    EXPECT_TRUE(fs::is_directory(Temp.Path("a.ini")));
}

} // namespace
