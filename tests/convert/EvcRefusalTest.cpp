// evc.exe run by hand or by a script on paths that are not plain files, or
// that lead back to the source: each run is refused at once with its reason,
// before anything is written, and the source stays as it was.
#include "ChildProcess.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>

namespace fs = std::filesystem;
using testing::HasSubstr;

namespace {

struct TRefusalCase {
    const char* What;
    const char* Script; // the script's path; the usual script when empty
    const char* Source; // as the script names it
    const char* Output;
    const char* Reason;
    friend void PrintTo(const TRefusalCase& Case, std::ostream* Out) { *Out << Case.What; }
};

class EvcRefusal : public testing::TestWithParam<TRefusalCase> {
protected:
    EvcRefusal() {
        fs::create_directories(Temp.Path("v/folder.avs"));
        fs::copy_file(std::string(KORVALIN_TEST_MEDIA) + "clip_rv20_ac3.rm",
                      Temp.Path("v/clip.rm"));
        fs::create_symlink(Temp.Path("v/clip.rm"), Temp.Path("v/link.rm"));
        fs::create_hard_link(Temp.Path("v/clip.rm"), Temp.Path("v/hard.rm"));
        mkfifo(Temp.Path("v/pipe").c_str(), 0600); // nobody ever writes it
        Temp.Write("v/long.avs", "DirectShowSource(\"/" + std::string(200000, 'a') +
                                     ".rm\", fps=25, convertfps=true)");
    }
    // Paths of the case are relative to the test's folder unless absolute or a web address.
    std::string Resolved(const std::string& Path) const {
        return Path.starts_with('/') || Path.find(':') != std::string::npos ? Path
                                                                            : Temp.Path(Path);
    }
    // Every name in the test's folders, with what it is and holds.
    std::map<std::string, std::string> Contents() const {
        std::map<std::string, std::string> Found;
        for (const auto& Entry : fs::recursive_directory_iterator(Temp.Folder())) {
            const std::string Name = fs::relative(Entry.path(), Temp.Folder()).string();
            Found[Name] = Entry.is_symlink()        ? "link"
                          : Entry.is_fifo()         ? "pipe"
                          : Entry.is_regular_file() ? Temp.Read(Name)
                                                    : "folder";
        }
        return Found;
    }

    TTempFolder Temp;
};

TEST_P(EvcRefusal, RefusesAtOnceAndLeavesEveryFileAsItWas) {
    const TRefusalCase& Case = GetParam();
    const std::string Script = *Case.Script ? Resolved(Case.Script) : Temp.Path("VideoFile.avs");
    if (!*Case.Script)
        Temp.Write("VideoFile.avs", "DirectShowSource(\"" + Resolved(Case.Source) +
                                        "\", fps=25, convertfps=true)\r\n");
    const std::map<std::string, std::string> Before = Contents();

    const TChildResult Run = RunChild({EVC_PROGRAM, "-y", "-i", Script, "-vcodec", "mpeg4",
                                       "-acodec", "aac", "-f", "mp4", Resolved(Case.Output)},
                                      {}, std::chrono::seconds(10));
    ASSERT_FALSE(Run.TimedOut) << "evc.exe did not end";
    EXPECT_EQ(Run.ExitCode, 1) << Run.Output;
    EXPECT_THAT(Run.Output, HasSubstr(Case.Reason));
    EXPECT_THAT(Run.Output, testing::Not(HasSubstr("Input #0"))) << "ffmpeg ran";
    EXPECT_TRUE(Contents() == Before) << "a file was written, replaced or removed";
}

INSTANTIATE_TEST_SUITE_P(
    SpecialPaths, EvcRefusal,
    testing::Values(
        TRefusalCase{"script is a folder", "v/folder.avs", "", "out.mp4", "not a regular file"},
        TRefusalCase{"script is a pipe", "v/pipe", "", "out.mp4", "not a regular file"},
        TRefusalCase{"script is /dev/zero", "/dev/zero", "", "out.mp4", "not a regular file"},
        TRefusalCase{"script is /dev/urandom", "/dev/urandom", "", "out.mp4", "not a regular file"},
        TRefusalCase{"script is too long", "v/long.avs", "", "out.mp4", "longer than 8192"},
        TRefusalCase{"source is a pipe", "", "v/pipe", "out.mp4", "not a regular file"},
        TRefusalCase{"source is a folder", "", "v/folder.avs", "out.mp4", "not a regular file"},
        TRefusalCase{"source on the web", "", "http://127.0.0.1:9/x.rm", "out.mp4",
                     "was not found"},
        TRefusalCase{"output is the source", "", "v/clip.rm", "v/clip.rm", "the source itself"},
        TRefusalCase{"output spelled through ./", "", "v/clip.rm", "v/./clip.rm",
                     "the source itself"},
        TRefusalCase{"output links to the source", "", "v/clip.rm", "v/link.rm",
                     "the source itself"},
        TRefusalCase{"output is a hard link to the source", "", "v/hard.rm", "v/clip.rm",
                     "the source itself"},
        TRefusalCase{"output is the script", "", "v/clip.rm", "VideoFile.avs", "the script itself"},
        TRefusalCase{"output is a pipe", "", "v/clip.rm", "v/pipe", "not a regular file"}));

} // namespace
