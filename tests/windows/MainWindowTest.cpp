#include "WindowFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::Pair;

namespace {

struct TDesignCase {
    const char* Name;
    int X, Y, Width, Height; // 0: not fixed by the design
    const char* Text;
    const char* Hint;
};

TEST_F(WindowTest, EveryControlStandsAtItsDesignPlaceWithItsTextAndHint) {
    Start();
    const TDesignCase Design[] = {
        {"lblTitle", 63, 33, 537, 27, "Korvalin ", ""}, // the tests carry no version
        {"btnWindowMinimize", 606, 28, 25, 25, nullptr, ""},
        {"btnWindowClose", 640, 28, 25, 25, nullptr, ""},
        {"btnHomePage", 406, 73, 48, 48, nullptr, ""},
        {"btnEMail", 459, 73, 48, 48, nullptr, ""},
        {"btnHelp", 565, 73, 48, 48, nullptr, ""},
        {"btnAbout", 618, 73, 48, 48, nullptr, ""},
        {"cbbOutputFiletype", 368, 133, 297, 0, nullptr, ""},
        {"cbbProfile", 368, 160, 217, 0, nullptr, ""},
        {"btnOptions", 595, 160, 70, 20, nullptr, "Ctrl + N"},
        {"edtOutputFolder", 368, 188, 217, 0, nullptr, ""},
        {"RzBmpButton1", 595, 188, 70, 20, nullptr, "Ctrl + N"},
        {"chkShutdown", 294, 226, 16, 0, nullptr, ""},
        {"Label1", 314, 226, 0, 0, "Shutdown computer when job is finished.", ""},
        {"chkShowOutputDirectory", 294, 246, 16, 0, nullptr, ""},
        {"Label2", 314, 246, 0, 0, "Show output directory when done", ""},
        {"Label3", 296, 272, 0, 0, "Click here to download the coder", ""},
        {"lblOutputFileTypeName", 0, 0, 0, 0, "Output FileType:", ""},
        {"lblProfileSettings", 0, 0, 0, 0, "Profile Settings:", ""},
        {"lblOutputFolderInfo", 0, 0, 0, 0, "Output Folder:", ""},
        {"btnOpenFile", 555, 289, 110, 0, nullptr, "Ctrl + O"},
        {"btnRemoveFile", 555, 323, 110, 0, nullptr, "Ctrl + R"},
        {"btnClearFile", 555, 357, 110, 0, nullptr, "Ctrl + L"},
        {"btnConvert", 555, 391, 110, 40, nullptr, "Ctrl + S"},
        {"btnSelectOutputFolder", 0, 0, 0, 0, nullptr, "Ctrl + B"},
        {"DSVideoWindowEx1", 26, 76, 253, 152, nullptr, ""},
        {"btnPlay", 36, 261, 25, 25, nullptr, "Ctrl + P"},
        {"btnPause", 68, 261, 25, 25, nullptr, "Ctrl + U"},
        {"btnStop", 99, 261, 25, 25, nullptr, "Ctrl + T"},
        {"pnlCurTime", 171, 264, 81, 17, "00:00:00", ""},
        {"Panel1", 22, 234, 260, 19, nullptr, ""},
    };
    for (const TDesignCase& Case : Design) {
        SCOPED_TRACE(Case.Name);
        const QWidget* Control = FrmMainForm->findChild<QWidget*>(Case.Name);
        ASSERT_NE(Control, nullptr);
        const QRect Place = Control->geometry();
        if (Case.X || Case.Y) {
            EXPECT_EQ(Place.topLeft(), QPoint(Case.X, Case.Y));
        }
        if (Case.Width) {
            EXPECT_EQ(Place.width(), Case.Width);
        }
        if (Case.Height) {
            EXPECT_EQ(Place.height(), Case.Height);
        }
        if (Case.Text) {
            EXPECT_EQ(Control->property("text").toString().toStdString(), Case.Text);
        }
        EXPECT_EQ(Control->toolTip().toStdString(), Case.Hint);
    }
    EXPECT_FALSE(Main().btnSelectOutputFolder->isVisible());
    EXPECT_TRUE(Main().edtOutputFolder->isReadOnly());
    EXPECT_EQ(FrmMainForm->minimumSize(), QSize(686, 519));
}

TEST_F(WindowTest, StartsWithThreeGppNormalQualityAndEveryStoredProfile) {
    Temp.Write("Config/UserProfileInfo.ini",
               "\r\n[Phone]\r\nPhone=1|1|1|1|1|1\r\n\r\n[TV]\r\nTV=2|2|2|2|2|2\r\n");
    Start();
    EXPECT_EQ(Main().cbbOutputFiletype->count(), 6);
    EXPECT_EQ(Text(Main().cbbOutputFiletype), "3GPP Video Files (*.3gp)");
    ASSERT_EQ(Main().cbbProfile->count(), 7);
    EXPECT_EQ(Text(Main().cbbProfile), "Normal Quality");
    EXPECT_EQ(Main().cbbProfile->itemText(6).toStdString(), "TV");
    EXPECT_THAT(PresetOptions(),
                ElementsAre("176x144", "15", "256", "128", "2 channels, Stereo", "44100"));
    EXPECT_EQ(Text(Options().cbbAspectratio), "4:3");
    EXPECT_EQ(Text(Options().cbbAudioVolumeGain), "200");
    EXPECT_EQ(Options().cbbVideoSize->count(), 23);
    EXPECT_EQ(Options().cbbAudioVolumeGain->count(), 21);
    EXPECT_EQ(Options().cbbCustomProfile->count(), 2); // ready before the dialog is first shown
    EXPECT_EQ(Options().cbbCustomProfile->currentIndex(), -1);
}

TEST_F(WindowTest, PickingMp3SuperbAppliesItsPresetAndKeepsVideoCombosUsable) {
    Start();
    Pick(Main().cbbOutputFiletype, 4);
    Pick(Main().cbbProfile, 4);
    EXPECT_THAT(PresetOptions(),
                ElementsAre("720x576", "30", "1500", "224", "2 channels, Stereo", "48000"));
    for (const QComboBox* Video : {Options().cbbVideoSize, Options().cbbFramerate,
                                   Options().cbbVideoBitrate, Options().cbbAspectratio})
        EXPECT_TRUE(Video->isEnabled());
}

TEST_F(WindowTest, PresetLeavesHandSetVolumeAndAspectRatioAlone) {
    Start();
    Pick(Options().cbbAudioVolumeGain, 0);
    Pick(Options().cbbAspectratio, 1);
    Pick(Main().cbbProfile, 0);
    EXPECT_THAT(PresetOptions(),
                ElementsAre("176x144", "11", "40", "48", "1 channel, Mono", "22050"));
    EXPECT_EQ(Text(Options().cbbAudioVolumeGain), "0");
    EXPECT_EQ(Text(Options().cbbAspectratio), "16:9");
}

TEST_F(WindowTest, OutputTypeChangeWithCustomProfileAppliesThatProfileOnly) {
    Temp.Write("Config/UserProfileInfo.ini", "\r\n[Mine]\r\nMine=5|3|6|7|0|3\r\n");
    Start();
    Pick(Main().cbbProfile, 5);
    EXPECT_THAT(PresetOptions(),
                ElementsAre("320x180", "23.967", "1000", "192", "1 channel, Mono", "48000"));
    EXPECT_EQ(Text(Options().cbbCustomProfile), "Mine");
    Pick(Options().cbbVideoSize, 0);
    Pick(Main().cbbOutputFiletype, 4);
    EXPECT_THAT(PresetOptions(),
                ElementsAre("320x180", "23.967", "1000", "192", "1 channel, Mono", "48000"));
}

TEST_F(WindowTest, SelectionsMadeByTheProgramRunNoHandler) {
    Start();
    Main().cbbProfile->setCurrentIndex(0);
    Main().cbbOutputFiletype->setCurrentIndex(4);
    EXPECT_THAT(PresetOptions(),
                ElementsAre("176x144", "15", "256", "128", "2 channels, Stereo", "44100"));
}

TEST_F(WindowTest, ControlKeysOpenOptionsAndChooseTheOutputFolder) {
    std::filesystem::create_directory(Temp.Path("chosen"));
    Dialogs.FolderAnswers = {QString::fromStdString(Temp.Path("chosen"))};
    Start();
    QTest::keyClick(FrmMainForm->windowHandle(), Qt::Key_I,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(frmOption->isVisible());
    QTest::keyClick(FrmMainForm->windowHandle(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(frmOption->isVisible());
    frmOption->hide();
    QTest::keyClick(FrmMainForm->windowHandle(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Main().edtOutputFolder->text().toStdString(), Temp.Path("chosen"));
    EXPECT_THAT(Dialogs.Prompts, ElementsAre("Please select output folder:"));
}

TEST_F(WindowTest, UnusableOutputFoldersAreRefusedWithAWarning) {
    std::filesystem::create_directory(Temp.Path("locked"));
    std::filesystem::permissions(Temp.Path("locked"), std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_exec);
    Dialogs.FolderAnswers = {QString::fromStdString(Temp.Path("locked")),
                             QString::fromStdString(Temp.Path("gone")), std::nullopt};
    Start();
    const QString Before = Main().edtOutputFolder->text();
    for (int Attempt = 0; Attempt < 3; ++Attempt)
        Click(Main().RzBmpButton1);
    EXPECT_EQ(Main().edtOutputFolder->text(), Before);
    EXPECT_THAT(Dialogs.Messages,
                ElementsAre(Pair("This is a read-only path.", TMessageKind::Warning),
                            Pair("The path is invalid.", TMessageKind::Warning)));
    EXPECT_TRUE(
        std::filesystem::is_directory(Before.toStdString())); // a missing current folder is made
}

TEST_F(WindowTest, ClosingSavesTheThreeSettingsInOrder) {
    Temp.Write("Config/UserSettings.ini",
               "[USRInfo]\r\nInitDir=/video/\r\nSHWDDir=yes\r\nOutDir=/out\r\n");
    Start();
    EXPECT_FALSE(Main().chkShowOutputDirectory->isChecked());
    EXPECT_FALSE(Main().chkShutdown->isChecked());
    EXPECT_EQ(Main().edtOutputFolder->text(), "/out");
    Click(Main().chkShutdown);
    FrmMainForm->close();
    EXPECT_EQ(Temp.Read("Config/UserSettings.ini"),
              "[USRInfo]\r\nInitDir=/video/\r\nSHWDDir=0\r\nOutDir=/out\r\nSHUTDOWN=1\r\n");
}

TEST_F(WindowTest, FreshSettingsFileAfterClose) {
    Start();
    EXPECT_FALSE(Main().chkShowOutputDirectory->isChecked());
    Click(Main().chkShowOutputDirectory);
    FrmMainForm->close();
    EXPECT_EQ(Temp.Read("Config/UserSettings.ini"),
              "\r\n[USRInfo]\r\nSHWDDir=1\r\nSHUTDOWN=0\r\nOutDir=" +
                  QDir::homePath().toStdString() + "/Korvalin\r\n");
}

TEST_F(WindowTest, MemoryIsHandedBackEverySecond) {
    Start();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return std::count(System.Actions.begin(), System.Actions.end(), "trim") >= 2; },
        3000));
}

TEST_F(WindowTest, MessageBoxesShowOnlyTheFourKinds) {
    Start();
    EXPECT_TRUE(CommonLib->ShowMessageBox("Done.", 3));
    EXPECT_FALSE(CommonLib->ShowMessageBox("Never shown.", 4));
    EXPECT_FALSE(CommonLib->ShowMessageBox("Never shown.", -1));
    EXPECT_THAT(Dialogs.Messages, ElementsAre(Pair("Done.", TMessageKind::Information)));
}

TEST_F(WindowTest, ErrorInAHandlerIsShownAndTheProgramGoesOn) {
    Start();
    std::filesystem::remove_all(Temp.Path("Config"));
    frmOption->show();
    Click(Options().btnAdd);
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].first.toStdString(),
              "Cannot create file \"" + Temp.Path("Config/UserProfileCount.ini") +
                  "\". No such file or directory");
    EXPECT_EQ(Dialogs.Messages[0].second, TMessageKind::Error);
    Pick(Main().cbbProfile, 0); // still working
    EXPECT_EQ(Text(Options().cbbVideoBitrate), "40");
    FrmMainForm->close(); // the settings cannot be kept, but closing still works
    EXPECT_EQ(Dialogs.Messages.size(), 2u);
}

} // namespace
