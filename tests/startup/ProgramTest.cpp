// The shipped executable, started the way a desktop launcher starts it: from
// another working folder, with nothing but its own folder to go by.
#include "ChildProcess.h"
#include "FileVersion.h"
#include "JpegPicture.h"
#include "ProductInfo.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Entries(const fs::path& Folder) {
    std::vector<std::string> Names;
    for (const auto& Entry : fs::directory_iterator(Folder))
        Names.push_back(Entry.path().filename().string());
    return Names;
}

TEST(Program, KeepsItsSettingsBesideTheExecutableWhenStartedFromElsewhere) {
    TTempFolder Install, WorkingFolder, Home;
    fs::create_directories(Install.Path("Korvalin/Config"));
    const std::string Program = Install.Path("Korvalin/Korvalin");
    fs::copy_file(KORVALIN_PROGRAM, Program);
    for (const char* Companion : {"Res.dll", "Form.dll"})
        fs::copy_file(fs::path(KORVALIN_PROGRAM).parent_path() / Companion,
                      Install.Path("Korvalin/") + Companion);
    Install.Write("Korvalin/Config/UserSettings.ini",
                  "[USRInfo]\r\nInitDir=/video/\r\nSHWDDir=yes\r\nSHUTDOWN=1\r\nOutDir=/out\r\n");

    const pid_t Child = fork();
    if (Child == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("HOME", Home.Folder().c_str(), 1);
        if (chdir(WorkingFolder.Folder().c_str()) == 0)
            execl(Program.c_str(), Program.c_str(), nullptr);
        _exit(127);
    }
    ASSERT_GT(Child, 0);
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!CatchesSignal(Child, SIGTERM) && std::chrono::steady_clock::now() < Deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    kill(Child, SIGTERM); // the session asks the program to end: it closes its window
    ASSERT_EQ(WaitForExit(Child, std::chrono::seconds(30)), 0);

    // "yes" is not "1": written back as "0" only if the file was read and saved.
    EXPECT_EQ(Install.Read("Korvalin/Config/UserSettings.ini"),
              "[USRInfo]\r\nInitDir=/video/\r\nSHWDDir=0\r\nSHUTDOWN=1\r\nOutDir=/out\r\n");
    EXPECT_EQ(Entries(Install.Folder()), std::vector<std::string>{"Korvalin"});
    EXPECT_TRUE(Entries(WorkingFolder.Folder()).empty());
    EXPECT_FALSE(fs::exists(Home.Path("Korvalin")));
}

TEST(Program, CarriesVersionOnePointEight) {
    EXPECT_EQ(GetFileVersionText(KORVALIN_PROGRAM), "1.8");
}

TEST(Program, ResDllHandsOutTheProductTextsAndTheSplashPicture) {
    const std::string Installed = fs::path(KORVALIN_PROGRAM).parent_path().string() + "/";
    const TProductInfo Product = LoadProductInfo(TAppFolders(Installed), KORVALIN_PROGRAM);
    EXPECT_EQ(Product.ProductName, "Korvalin");
    EXPECT_EQ(Product.Version, "1.8");
    EXPECT_EQ(Product.HomePage.rfind("https://", 0), 0u);
    EXPECT_NE(Product.EMail.find('@'), std::string::npos);
    for (const std::string* Text : {&Product.CompanyName, &Product.InfoText2, &Product.InfoText7})
        EXPECT_FALSE(Text->empty());
    EXPECT_EQ(Product.ProgramFolder, Installed);
    EXPECT_TRUE(DecodeJpeg(LoadSplashPicture(TAppFolders(Installed))));
    EXPECT_TRUE(MissingCompanions(TAppFolders(Installed)).empty());

    // Another library under the name: no texts and no picture, and no harm.
    TTempFolder Other;
    fs::copy_file(Installed + "Form.dll", Other.Path("Res.dll"));
    const TAppFolders OtherFolders(Other.Folder());
    const TProductInfo Empty = LoadProductInfo(OtherFolders, Other.Path("Res.dll"));
    EXPECT_EQ(Empty.ProductName + Empty.Version + Empty.HomePage + Empty.EMail, "");
    EXPECT_TRUE(LoadSplashPicture(OtherFolders).empty());
    EXPECT_EQ(MissingCompanions(OtherFolders), std::vector<std::string>{"Form.dll"});
    EXPECT_EQ(MissingCompanions(TAppFolders(Other.Path("none/"))),
              (std::vector<std::string>{"Form.dll", "Res.dll"}));
}

TEST(Program, HelpIsACompiledHelpFileWithContentsAndEveryPage) {
    std::ifstream File(fs::path(KORVALIN_PROGRAM).parent_path() / "Help.chm", std::ios::binary);
    const std::string Help{std::istreambuf_iterator<char>(File), {}};
    EXPECT_EQ(Help.substr(0, 4), "ITSF");
    for (const char* Page :
         {"/toc.hhc", "/index.html", "/adding.html", "/trimming.html", "/output.html",
          "/profiles.html", "/converting.html", "/troubleshooting.html", "/unreadable.html"})
        EXPECT_NE(Help.find(Page), std::string::npos) << Page;
}

} // namespace
