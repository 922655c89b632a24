// The program as `cmake --install` lays it out, in a program folder its user
// cannot write, started through its command on the path the way a desktop
// launcher and a file manager start it.
#include "ChildProcess.h"
#include "LogFile.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <map>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::Contains;
using testing::HasSubstr;

namespace {

const std::string Media = KORVALIN_TEST_MEDIA;

// Everything under a folder with its size, to see that nothing was written there.
std::map<std::string, uintmax_t> Contents(const fs::path& Folder) {
    std::map<std::string, uintmax_t> Found;
    for (const auto& Entry : fs::recursive_directory_iterator(Folder))
        Found[Entry.path().string()] = Entry.is_regular_file() ? Entry.file_size() : 0;
    return Found;
}

// A virtual X display of the test's own; its number is chosen by the server.
class TVirtualDisplay {
public:
    TVirtualDisplay() {
        int Ready[2];
        if (pipe(Ready) != 0)
            return;
        Server = fork();
        if (Server == 0) {
            const int Quiet = open("/dev/null", O_WRONLY);
            dup2(Quiet, STDOUT_FILENO);
            dup2(Quiet, STDERR_FILENO);
            const std::string Fd = std::to_string(Ready[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", Fd.c_str(), "-ac", "-nolisten", "tcp", "-screen",
                   "0", "1024x768x24", nullptr);
            _exit(127);
        }
        close(Ready[1]);
        char Number[16] = {};
        if (read(Ready[0], Number, sizeof Number - 1) > 0)
            Name = ":" + std::string(Number, std::strcspn(Number, "\n"));
        close(Ready[0]);
    }
    ~TVirtualDisplay() {
        if (Server > 0) {
            kill(Server, SIGTERM);
            waitpid(Server, nullptr, 0);
        }
    }
    std::string Name; // empty when no display could be started
private:
    pid_t Server = -1;
};

class InstalledProgram : public testing::Test {
protected:
    InstalledProgram() {
        fs::permissions(Temp.Folder(), fs::perms(0755)); // the user must reach what is inside
        const std::string Install = "DESTDIR='" + Temp.Path("root") +
                                    "' '" CMAKE_COMMAND "' --install '" KORVALIN_BUILD_DIR
                                    "' --prefix /usr >/dev/null";
        Installed = std::system(Install.c_str()) == 0;
        fs::permissions(ProgramFolder, fs::perms(0555), Unchanged);
        for (const char* Folder : {"home", "run", "work"}) {
            fs::create_directory(Temp.Path(Folder));
            fs::permissions(Temp.Path(Folder), fs::perms(0700));
            if (AsRoot && chown(Temp.Path(Folder).c_str(), Nobody, Nobody) != 0)
                Installed = false;
        }
    }
    ~InstalledProgram() override {
        for (pid_t Pid : Started) // nothing of the test's stays behind
            if (waitpid(Pid, nullptr, WNOHANG) == 0)
                WaitForExit(Pid, 0ms);
        fs::permissions(ProgramFolder, fs::perms(0755), Unchanged);
    }

    // Starts the command `korvalin` of the installation as an ordinary user
    // with a home of its own, from the folder "work". Display: an X display,
    // or none for the offscreen platform.
    pid_t Start(const std::vector<std::string>& Arguments, const std::string& Display = {}) {
        const std::string Command = Temp.Path("root/usr/bin/korvalin");
        const pid_t Child = fork();
        if (Child == 0) {
            const int Output = open(Temp.Path("output.txt").c_str(),
                                    O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
            dup2(Output, STDOUT_FILENO);
            dup2(Output, STDERR_FILENO);
            if (AsRoot &&
                (setgroups(0, nullptr) != 0 || setgid(Nobody) != 0 || setuid(Nobody) != 0))
                _exit(126);
            for (const char* Variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
                unsetenv(Variable);
            if (!DataHome.empty())
                setenv("XDG_DATA_HOME", DataHome.c_str(), 1);
            setenv("HOME", Temp.Path("home").c_str(), 1);
            setenv("XDG_RUNTIME_DIR", Temp.Path("run").c_str(), 1);
            if (Display.empty()) {
                setenv("QT_QPA_PLATFORM", "offscreen", 1);
            } else {
                setenv("QT_QPA_PLATFORM", "xcb", 1);
                setenv("DISPLAY", Display.c_str(), 1);
                setenv("LSAN_OPTIONS", "suppressions=" LSAN_SUPPRESSIONS, 1);
            }
            std::vector<char*> Argv{const_cast<char*>(Command.c_str())};
            for (const std::string& Argument : Arguments)
                Argv.push_back(const_cast<char*>(Argument.c_str()));
            Argv.push_back(nullptr);
            if (chdir(Temp.Path("work").c_str()) == 0)
                execv(Command.c_str(), Argv.data());
            _exit(127);
        }
        Started.push_back(Child);
        return Child;
    }
    // Success once the program has come through its start-up; otherwise what it said.
    testing::AssertionResult Runs(pid_t Pid) const {
        const auto Deadline = std::chrono::steady_clock::now() + 30s;
        while (!CatchesSignal(Pid, SIGTERM) && std::chrono::steady_clock::now() < Deadline)
            std::this_thread::sleep_for(20ms);
        if (CatchesSignal(Pid, SIGTERM))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << (IsProcessAlive(Pid) ? "still starting" : "ended")
                                           << ", having said: " << Temp.Read("output.txt");
    }
    // The work's files, readable by the user.
    void CopyToWork(const std::string& Name) {
        const std::string Copy = Temp.Path("work/" + Name);
        fs::copy_file(Media + Name, Copy);
        if (AsRoot && chown(Copy.c_str(), Nobody, Nobody) != 0)
            ADD_FAILURE() << Copy;
    }
    std::string Data(const std::string& Name) const {
        return Temp.Path("home/.local/share/Korvalin/" + Name);
    }

    static constexpr uid_t Nobody = 65534;
    const bool AsRoot = geteuid() == 0;
    TTempFolder Temp;
    const std::string ProgramFolder = Temp.Path("root/usr/lib/korvalin");
    bool Installed = false;
    std::error_code Unchanged; // a failed installation has no program folder to change
    std::string DataHome; // XDG_DATA_HOME of the user, unset when empty
    std::vector<pid_t> Started;
};

TEST_F(InstalledProgram, KeepsSettingsInTheUsersHomeAndListsFilesHandedByALaterStart) {
    ASSERT_TRUE(Installed);
    const TVirtualDisplay Display;
    if (Display.Name.empty() || std::system("command -v xdotool >/dev/null") != 0)
        GTEST_SKIP() << "needs Xvfb and xdotool";
    CopyToWork("clip_rv20_ac3.rm");
    CopyToWork("clip_rv10_ac3.rm");
    const auto Shipped = Contents(Temp.Path("root"));

    const pid_t First = Start({}, Display.Name);
    ASSERT_TRUE(Runs(First));
    // Relative paths from the later start's own folder, and that folder, whose
    // files are listed already.
    const pid_t Later = Start({"clip_rv20_ac3.rm", "clip_rv10_ac3.rm", "."}, Display.Name);
    EXPECT_EQ(WaitForExit(Later, 15s), 0) << Temp.Read("output.txt");
    EXPECT_TRUE(IsProcessAlive(First));

    // Both files are listed: Convert (Ctrl+S) converts both into ~/Korvalin.
    const std::string Keys = "DISPLAY=" + Display.Name +
                             " xdotool search --sync --onlyvisible --name '^Korvalin' "
                             "windowfocus --sync key ctrl+s";
    ASSERT_EQ(std::system(Keys.c_str()), 0);
    const auto Converted = [this] {
        std::set<std::string> Names;
        std::error_code Missing;
        for (const auto& Entry : fs::directory_iterator(Temp.Path("home/Korvalin"), Missing))
            if (Entry.path().filename().string()[0] != '.') // not a file still being written
                Names.insert(Entry.path().stem().string());
        return Names;
    };
    const auto Deadline = std::chrono::steady_clock::now() + 60s;
    while (Converted().size() < 2 && std::chrono::steady_clock::now() < Deadline)
        std::this_thread::sleep_for(100ms);
    EXPECT_EQ(Converted(), (std::set<std::string>{"clip_rv10_ac3", "clip_rv20_ac3"}));
    kill(First, SIGTERM);
    EXPECT_EQ(WaitForExit(First, 30s), 0) << Temp.Read("output.txt");

    EXPECT_TRUE(fs::is_regular_file(Data("Config/UserSettings.ini")));
    EXPECT_TRUE(fs::is_regular_file(Data("VideoFile.avs")));
    EXPECT_EQ(Temp.Read("root/usr/lib/korvalin/UpDateSettings.ini"),
              Temp.Read("home/.local/share/Korvalin/UpDateSettings.ini"))
        << "seeded from the shipped file";
    const auto Log = LogMessagesOf(Data("log.txt"));
    EXPECT_THAT(Log, Contains(HasSubstr("parameter: " + ProgramFolder + "/evc.exe")));
    EXPECT_EQ(Contents(Temp.Path("root")), Shipped) << "nothing written beside the program";
    EXPECT_EQ(Contents(Temp.Path("work")).size(), 2u) << "nor in the current folder";
}

TEST_F(InstalledProgram, TwoStartsAtOnceGiveOneWindowAndACrashLeavesNoObstacle) {
    ASSERT_TRUE(Installed);
    DataHome = "relative"; // not valid: the data stay in the home all the same
    const pid_t Starts[] = {Start({"a.rm"}), Start({"b.rm"})};
    // One hands its file to the other and ends; the other runs on.
    int Ended = -1;
    const auto Deadline = std::chrono::steady_clock::now() + 30s;
    while (Ended < 0 && std::chrono::steady_clock::now() < Deadline) {
        for (int Index : {0, 1})
            if (int Status = 0; waitpid(Starts[Index], &Status, WNOHANG) == Starts[Index]) {
                EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
                Ended = Index;
            }
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_GE(Ended, 0);
    const pid_t Running = Starts[1 - Ended];
    ASSERT_TRUE(Runs(Running));

    kill(Running, SIGKILL); // its socket stays behind
    WaitForExit(Running, 10s);
    ASSERT_FALSE(fs::is_empty(Temp.Path("run")));
    const pid_t Next = Start({"c.rm"});
    ASSERT_TRUE(Runs(Next));
    kill(Next, SIGTERM);
    EXPECT_EQ(WaitForExit(Next, 30s), 0) << Temp.Read("output.txt");
    EXPECT_TRUE(fs::is_regular_file(Data("Config/UserSettings.ini")));
    EXPECT_TRUE(fs::is_empty(Temp.Path("work"))) << "nothing in the current folder";
}

} // namespace
