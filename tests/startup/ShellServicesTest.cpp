#include "ShellServices.h"
#include "JpegPicture.h"
#include "ProfileFile.h"
#include "RecordingSystem.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

TEST(ShellServices, HelpHomePageAndMailGoThroughTheDesktop) {
    TRecordingSystem System;
    const TProductInfo Product{"",        "Korvalin", "",       "1.8", "https://home/",
                               "me@home", "",         "/opt/k/"};
    const TAppFolders Folders("/opt/k/", "/home/ann/.local/share/Korvalin/");
    OpenHelp(System, Folders);
    System.HasViewer = false; // no CHM viewer: the same help as web pages
    OpenHelp(System, Folders);
    OpenHomePage(System, Product);
    SendEMail(System, Product);
    EXPECT_EQ(System.Actions, (std::vector<std::string>{
                                  "document /opt/k/Help.chm", "document /opt/k/Help/index.html",
                                  "web https://home/", "web mailto:me@home"}));
    ShowAbout(nullptr, Product, Folders); // no Form.dll there: nothing happens
}

TEST(ShellServices, UpdateSetsTwoKeysOfTheUsersSettingsFileThenStartsTheUpdaterOnIt) {
    TTempFolder Temp;
    TRecordingSystem System;
    const TAppFolders Folders(Temp.Path("program/"), Temp.Path("data/"));
    fs::create_directory(Temp.Path("data"));
    const std::string Updater = "start " + Temp.Path("program/AutoUpDate.exe") + " --settings " +
                                Temp.Path("data/UpDateSettings.ini");

    StartUpdate(System, Folders); // no settings file: it is not created
    EXPECT_FALSE(fs::exists(Temp.Path("data/UpDateSettings.ini")));
    Temp.Write("data/UpDateSettings.ini", "[AutoUpdate]\r\nUpdateTodayExeced=true\r\nX=1\r\n");
    StartUpdate(System, Folders);
    EXPECT_EQ(Temp.Read("data/UpDateSettings.ini"),
              "[AutoUpdate]\r\nUpdateTodayExeced=false\r\nX=1\r\nUpdateModalUsr=true\r\n");
    EXPECT_EQ(System.Actions, (std::vector<std::string>{Updater, Updater}));

    fs::remove(Temp.Path("data/UpDateSettings.ini"));
    fs::create_directory(Temp.Path("data/UpDateSettings.ini"));
    EXPECT_THROW(StartUpdate(System, Folders), EProfileWriteError);
    EXPECT_EQ(System.Actions.size(), 2u) << "the updater is not started";
}

std::vector<unsigned char> Splash() {
    std::ifstream File(KORVALIN_SPLASH_JPEG, std::ios::binary);
    return {std::istreambuf_iterator<char>(File), {}};
}

TEST(JpegPicture, DecodesWholePicturesOnly) {
    const std::vector<unsigned char> Whole = Splash();
    const auto Picture = DecodeJpeg(Whole);
    ASSERT_TRUE(Picture);
    EXPECT_EQ(Picture->Width, 420);
    EXPECT_EQ(Picture->Height, 260);
    EXPECT_EQ(Picture->Pixels.size(), 420u * 260 * 3);

    std::vector<unsigned char> Huge = Whole; // the frame header's height and width
    for (size_t At = 0; At + 9 < Huge.size(); ++At)
        if (Huge[At] == 0xFF && Huge[At + 1] == 0xC0) {
            Huge[At + 5] = Huge[At + 6] = Huge[At + 7] = Huge[At + 8] = 0xFF;
            break;
        }
    const std::vector<unsigned char> Broken[] = {
        {},
        {0xFF, 0xD8},
        std::vector<unsigned char>(Whole.begin(), Whole.begin() + Whole.size() / 2),
        std::vector<unsigned char>(5000, 0x42),
        Huge};
    for (const auto& Bytes : Broken)
        EXPECT_FALSE(DecodeJpeg(Bytes)) << Bytes.size();
}

} // namespace
