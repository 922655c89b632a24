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
    explicit TWebServer(std::string Answer) : Answer(std::move(Answer)) {
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
        }
    }
    const std::string Answer;
    int Socket = -1;
    std::thread Server;
};

std::string Http(const std::string& Status, const std::string& Body) {
    return "HTTP/1.1 " + Status + "\r\nContent-Length: " + std::to_string(Body.size()) +
           "\r\nConnection: close\r\n\r\n" + Body;
}

// The updater installed beside Korvalin in a folder of the test's own.
struct TRun {
    int ExitCode = -1;
    std::string Output;
};
TRun RunUpdater(const TTempFolder& Install) {
    TRun Run;
    const std::string Command =
        "QT_QPA_PLATFORM=offscreen '" + Install.Path("AutoUpDate.exe") + "' --report 2>/dev/null";
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
    };
    const std::string Failed = "The update check failed: ";
    const TCase Cases[] = {
        {Http("200 OK", "1.9\nhttps://korvalin.example.org/dl\n"), 0,
         "Korvalin 1.9 is available. You have version 1.8.\nhttps://korvalin.example.org/dl\n"},
        {Http("200 OK", "1.8.0.0\r\n"), 0, "Korvalin 1.8 is the newest version.\n\n"},
        {Http("200 OK", "<html><body>Moved</body></html>"), 1,
         Failed + "the update address did not send a version.\n\n"},
        {Http("200 OK", std::string(100000, '1')), 1,
         Failed + "the update address did not send a version.\n\n"},
        {Http("404 Not Found", "1.9\n"), 1, ""},
        {"garbage without a status line\r\n\r\n", 1, ""},
        {"", 1, ""}, // the connection closes unanswered
    };
    TTempFolder Install;
    fs::copy_file(fs::path(KORVALIN_PROGRAM).parent_path() / "AutoUpDate.exe",
                  Install.Path("AutoUpDate.exe"));
    fs::create_symlink(KORVALIN_PROGRAM, Install.Path("Korvalin"));
    for (const TCase& Case : Cases) {
        const TWebServer Server(Case.Answer);
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
    fs::remove(Install.Path("UpDateSettings.ini"));
    const TWebServer Server(Http("200 OK", "1.9\n"));
    EXPECT_EQ(RunUpdater(Install).ExitCode, 1) << "the default address is not this server";
    EXPECT_FALSE(fs::exists(Install.Path("UpDateSettings.ini"))) << "never created";
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
