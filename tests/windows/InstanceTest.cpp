// Files handed to the running program by later starts, over a real local socket.
#include "LogFile.h"
#include "SingleInstance.h"
#include "SourceListView.h"
#include "SourceGathering.h"
#include "WindowFixture.h"

#include <future>
#include <gmock/gmock.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using testing::Contains;
using testing::ElementsAre;

namespace {

class Instance : public WindowTest {
protected:
    Instance() {
        std::filesystem::create_directory(Temp.Path("run"));
        std::filesystem::permissions(Temp.Path("run"), std::filesystem::perms::owner_all);
        Prober.Default = 5;
    }
    // A later start, on a thread of its own as it would be in a process of its
    // own, while this one goes on serving its windows.
    TSingleInstance::TOutcome LaterStart(const QStringList& Files) {
        auto Outcome = std::async(std::launch::async, [&] {
            TSingleInstance Later("Korvalin-test", Runtime);
            return Later.Claim(Files);
        });
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return Outcome.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            20000));
        return Outcome.get();
    }
    QString File(const std::string& Name) { return QString::fromStdString(Temp.Write(Name, "x")); }

    const QString Runtime = QString::fromStdString(Temp.Path("run"));
};

// What a crash leaves behind: the socket file, with nobody listening on it.
void LeaveStaleSocket(const QString& Path) {
    const int Socket = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un Address{};
    Address.sun_family = AF_UNIX;
    std::snprintf(Address.sun_path, sizeof Address.sun_path, "%s", Path.toLocal8Bit().data());
    ASSERT_EQ(bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof Address), 0);
    close(Socket);
}

TEST_F(Instance, LaterStartsHandTheirFilesToTheRunningWindowAsADrop) {
    LeaveStaleSocket(Runtime + "/Korvalin-test");
    const QString A = File("a.rm"), B = File("b.rm"), C = File("c.rm");
    TSingleInstance First("Korvalin-test", Runtime);
    ASSERT_EQ(First.Claim({A}), TSingleInstance::TOutcome::Running);
    // Before the window is ready: the files wait for it.
    EXPECT_EQ(LaterStart({B, QString::fromStdString(Temp.Path("run")), A, File("notes.txt")}),
              TSingleInstance::TOutcome::HandedOn);
    Start();
    First.DeliverTo([](const QStringList& Files) { FrmMainForm->OpenFiles(Files); });
    ASSERT_TRUE(QTest::qWaitFor([this] { return Paths().size() == 2; }, 5000));
    EXPECT_EQ(LaterStart({C}), TSingleInstance::TOutcome::HandedOn);
    EXPECT_EQ(LaterStart({}), TSingleInstance::TOutcome::HandedOn) << "only to the front";
    ASSERT_TRUE(QTest::qWaitFor([this] { return Paths().size() == 3; }, 5000));
    EXPECT_THAT(Paths(), ElementsAre(A.toStdString(), B.toStdString(), C.toStdString()));
    EXPECT_THAT(LogMessagesOf(Temp.Path("log.txt")),
                Contains("Folder has no RealMedia file to add: " + Temp.Path("run")));
}

// A folder adds the RealMedia files below it in path order, whatever their
// letter case, and a link back up does not lead round in circles.
TEST_F(Instance, AFolderAddsItsRealMediaFilesInPathOrder) {
    Start();
    std::filesystem::create_directories(Temp.Path("in/sub"));
    const QString B = File("in/sub/B.RMVB"), A = File("in/a.rm");
    File("in/notes.txt");
    std::filesystem::create_directory_symlink(Temp.Path("in"), Temp.Path("in/sub/loop"));
    FrmMainForm->OpenFiles({QString::fromStdString(Temp.Path("in")), File("c.rm")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return Paths().size() == 3; }, 5000));
    EXPECT_THAT(Paths(), ElementsAre(A.toStdString(), B.toStdString(), Temp.Path("c.rm")));
    std::stop_source Closed; // the window's close ends a listing at once
    Closed.request_stop();
    EXPECT_THAT(RealMediaFilesIn(Temp.Path("in"), Closed.get_token()), testing::IsEmpty());
}

} // namespace
