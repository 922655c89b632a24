// The updater as shipped, asking a web server of the test's own on 127.0.0.1.
#include "TempFolder.h"
#include "UpdateCheck.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <array>
#include <cstdio>
#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Answers every connection with the same bytes, until it goes.
class TWebServer {
public:
    // HoldOpen: the line stays open after the answer, as with a stalled server.
    explicit TWebServer(std::string Answer, bool HoldOpen = false)
        : Answer(std::move(Answer)), HoldOpen(HoldOpen) {
        Socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in Address{};
        Address.sin_family = AF_INET;
        Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t Length = sizeof Address;
        if (bind(Socket, reinterpret_cast<sockaddr*>(&Address), Length) != 0 ||
            listen(Socket, 4) != 0 ||
            getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length) != 0)
            throw std::runtime_error("no server");
        Port = ntohs(Address.sin_port);
        Server = std::thread([this] { Serve(); });
    }
    ~TWebServer() {
        shutdown(Socket, SHUT_RDWR);
        close(Socket);
        Server.join();
    }
    int Port = 0;

private:
    void Serve() {
        for (int Client; (Client = accept(Socket, nullptr, nullptr)) >= 0; close(Client)) {
            char Request[4096];
            if (read(Client, Request, sizeof Request) <= 0)
                continue;
            for (size_t Sent = 0; Sent < Answer.size();) {
                const ssize_t Count = write(Client, Answer.data() + Sent, Answer.size() - Sent);
                if (Count <= 0)
                    break;
                Sent += static_cast<size_t>(Count);
            }
            if (HoldOpen) // until the client gives up
                while (read(Client, Request, sizeof Request) > 0) {
                }
        }
    }
    const std::string Answer;
    const bool HoldOpen;
    int Socket = -1;
    std::thread Server;
};

std::string Http(const std::string& Status, const std::string& Body) {
    return "HTTP/1.1 " + Status + "\r\nContent-Length: " + std::to_string(Body.size()) +
           "\r\nConnection: close\r\n\r\n" + Body;
}

// The updater installed beside Korvalin in a folder of the test's own, on
// the settings beside it or on those named.
struct TRun {
    int ExitCode = -1;
    std::string Output;
};
TRun RunUpdater(const TTempFolder& Install, const std::string& Settings = {}) {
    TRun Run;
    const std::string Command =
        "QT_QPA_PLATFORM=offscreen '" + Install.Path("AutoUpDate.exe") + "' --report" +
        (Settings.empty() ? "" : " --settings '" + Settings + "'") + " 2>/dev/null";
    FILE* Pipe = popen(Command.c_str(), "r");
    std::array<char, 512> Buffer;
    while (size_t Count = fread(Buffer.data(), 1, Buffer.size(), Pipe))
        Run.Output.append(Buffer.data(), Count);
    const int Status = pclose(Pipe);
    Run.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    return Run;
}

TEST(Updater, TellsWhetherANewerVersionExistsAndNeverBreaksOnBadAnswers) {
    struct TCase {
        std::string Answer;
        int ExitCode;
        std::string Output;
        bool HoldOpen = false;
    };
    const std::string Failed = "The update check failed: ";
    const TCase Cases[] = {
        {Http("200 OK", "1.9\nhttps://korvalin.example.org/dl\n"), 0,
         "Korvalin 1.9 is available. You have version 1.8.0.0.\nhttps://korvalin.example.org/dl\n"},
        {Http("200 OK", "1.8.0.0\r\n"), 0, "Korvalin 1.8.0.0 is the newest version.\n\n"},
        {Http("200 OK", "1.8\r\n"), 0, "Korvalin 1.8.0.0 is the newest version.\n\n"},
        {Http("200 OK", "<html><body>Moved</body></html>"), 1,
         Failed + "the update address did not send a version.\n\n"},
        {Http("200 OK", "1.9\nhttps://a/" + std::string(200000, 'x')), 1,
         Failed + "the update address did not send a version.\n\n"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n1.9", 1, // and then nothing
         Failed + "no answer within ten seconds.\n\n", true},
        {Http("404 Not Found", "1.9\n"), 1, ""},
        {"garbage without a status line\r\n\r\n", 1, ""},
        {"", 1, ""}, // the connection closes unanswered
    };
    TTempFolder Install;
    fs::copy_file(fs::path(KORVALIN_PROGRAM).parent_path() / "AutoUpDate.exe",
                  Install.Path("AutoUpDate.exe"));
    fs::create_symlink(KORVALIN_PROGRAM, Install.Path("Korvalin"));
    for (const TCase& Case : Cases) {
        const TWebServer Server(Case.Answer, Case.HoldOpen);
        const std::string Settings = "; ours\r\n[AutoUpdate]\r\nUpdateAddress=http://127.0.0.1:" +
                                     std::to_string(Server.Port) + "/version.txt\r\n";
        Install.Write("UpDateSettings.ini", Settings);
        const TRun Run = RunUpdater(Install);
        EXPECT_EQ(Run.ExitCode, Case.ExitCode) << Case.Answer.substr(0, 40);
        if (Case.Output.empty())
            EXPECT_EQ(Run.Output.rfind(Failed, 0), 0u) << Run.Output;
        else
            EXPECT_EQ(Run.Output, Case.Output);
        const std::string Recorded = Install.Read("UpDateSettings.ini");
        EXPECT_EQ(Recorded.rfind(Settings, 0), 0u) << "every line kept";
        EXPECT_EQ(Recorded.find("UpdateTodayExeced=true\r\n") != std::string::npos,
                  Case.ExitCode == 0)
            << "a check is recorded only when it was answered";
    }
}

TEST(Updater, ChecksOfItsOwnRunOnceADayOnTheSettingsItIsGiven) {
    TTempFolder Install, Data;
    fs::copy_file(fs::path(KORVALIN_PROGRAM).parent_path() / "AutoUpDate.exe",
                  Install.Path("AutoUpDate.exe"));
    fs::create_symlink(KORVALIN_PROGRAM, Install.Path("Korvalin"));
    const TWebServer Server(Http("200 OK", "1.9\n"));
    const std::string Address =
        "UpdateAddress=http://127.0.0.1:" + std::to_string(Server.Port) + "/v\r\n";
    char Today[16];
    const std::time_t Now = std::time(nullptr);
    std::strftime(Today, sizeof Today, "%Y-%m-%d", std::localtime(&Now));
    Install.Write("UpDateSettings.ini", "[AutoUpdate]\r\nUpdateAddress=http://127.0.0.1:1/\r\n");
    const std::string Settings = Data.Write(
        "UpDateSettings.ini",
        "[AutoUpdate]\r\n" + Address +
            "UpdateModalUsr=false\r\nUpdateTodayExeced=true\r\nLastCheck=" + Today + "\r\n");
    const TRun Quiet = RunUpdater(Install, Settings);
    EXPECT_EQ(Quiet.ExitCode, 0);
    EXPECT_EQ(Quiet.Output, "") << "already checked today";

    Data.Write("UpDateSettings.ini", "[AutoUpdate]\r\n" + Address +
                                         "UpdateModalUsr=true\r\nUpdateTodayExeced=true\r\n"
                                         "LastCheck=" +
                                         Today + "\r\n");
    EXPECT_EQ(RunUpdater(Install, Settings).Output.rfind("Korvalin 1.9 is available", 0), 0u)
        << "the user asked, and the given file's address was asked";
    EXPECT_NE(Data.Read("UpDateSettings.ini").find("UpdateModalUsr=false\r\n"), std::string::npos)
        << "the next check is one of its own again";
    EXPECT_EQ(Install.Read("UpDateSettings.ini"),
              "[AutoUpdate]\r\nUpdateAddress=http://127.0.0.1:1/\r\n");
}

TEST(Updater, ReadsVersionFilesStrictly) {
    const std::pair<std::string, std::optional<std::string>> Files[] = {
        {"1.9", "1.9"},
        {" 2.0.1.7 \r\nhttps://a/b\r\n", "2.0.1.7"},
        {"1.9\n\n", "1.9"},
        {"", std::nullopt},
        {"1.", std::nullopt},
        {"v1.9", std::nullopt},
        {"1..9", std::nullopt},
        {"1.9\nftp://a/b", std::nullopt},
        {"1.2.3.4.5", std::nullopt},
        {"1.-5", std::nullopt},
    };
    for (const auto& [Text, Version] : Files) {
        const auto Offer = ParseVersionFile(Text);
        EXPECT_EQ(Offer ? std::optional(Offer->Version) : std::nullopt, Version) << Text;
    }
    EXPECT_TRUE(IsNewerVersion("1.10", "1.9"));
    EXPECT_TRUE(IsNewerVersion("1.8.0.1", "1.8"));
    EXPECT_FALSE(IsNewerVersion("1.8.0.0", "1.8"));
    EXPECT_FALSE(IsNewerVersion("1.7.9", "1.8"));
    EXPECT_FALSE(IsNewerVersion("garbage", "1.8"));
}

} // namespace
