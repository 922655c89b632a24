#include "CommandLine.h"
#include "WindowFixture.h"

#include <QLineEdit>
#include <gmock/gmock.h>

using testing::ElementsAre;

namespace {

class OptionDialog : public WindowTest {
protected:
    void OpenDialog() {
        Start();
        Click(Main().btnOptions);
        ASSERT_TRUE(frmOption->isVisible());
    }
    std::vector<std::string> ListedProfiles() const {
        std::vector<std::string> Names;
        for (int I = 0; I < Options().cbbCustomProfile->count(); ++I)
            Names.push_back(Options().cbbCustomProfile->itemText(I).toStdString());
        return Names;
    }
};

TEST_F(OptionDialog, AddProposesCountedNamesEvenAfterACancel) {
    Dialogs.InputAnswers = {std::nullopt, QString("Phone")};
    OpenDialog();
    Click(Options().btnAdd);
    Click(Options().btnAdd);
    EXPECT_THAT(Dialogs.Prompts, ElementsAre("Plese input a name [UserProfileInfo1]",
                                             "Plese input a name [UserProfileInfo2]"));
    EXPECT_EQ(Temp.Read("Config/UserProfileInfo.ini"), "\r\n[Phone]\r\nPhone=3|2|3|5|1|2\r\n");
    EXPECT_THAT(ListedProfiles(), ElementsAre("Phone"));
    EXPECT_EQ(Text(Options().cbbCustomProfile), "Phone");
    EXPECT_THAT(Main().lblOutputSummary->text().toStdString(),
                testing::EndsWith(" \u00b7 profile \"Phone\""))
        << "the next conversion applies it";
}

TEST_F(OptionDialog, AddingAnExistingNameReplacesItsTuple) {
    Dialogs.InputAnswers = {QString("Same"), QString("Same")};
    OpenDialog();
    Click(Options().btnAdd);
    Pick(Options().cbbVideoSize, 0);
    Click(Options().btnAdd);
    EXPECT_THAT(ListedProfiles(), ElementsAre("Same"));
    EXPECT_EQ(Temp.Read("Config/UserProfileInfo.ini"), "\r\n[Same]\r\nSame=0|2|3|5|1|2\r\n");
}

TEST_F(OptionDialog, SaveAndDeleteSelectTheLastEntryWithoutApplyingIt) {
    Temp.Write("Config/UserProfileInfo.ini",
               "[A]\r\nA=0|0|0|0|0|0\r\n[B]\r\nB=1|1|1|1|1|1\r\n[C]\r\nC=2|2|2|2|2|2\r\n");
    OpenDialog();
    Pick(Options().cbbCustomProfile, 1);
    EXPECT_THAT(PresetOptions(),
                ElementsAre("160x112", "14.985", "80", "32", "2 channels, Stereo", "32000"));
    Pick(Options().cbbVideoSize, 4);
    Click(Options().btnSave);
    EXPECT_EQ(Temp.Read("Config/UserProfileInfo.ini"),
              "[A]\r\nA=0|0|0|0|0|0\r\n[B]\r\nB=4|1|1|1|1|1\r\n[C]\r\nC=2|2|2|2|2|2\r\n");
    EXPECT_EQ(Text(Options().cbbCustomProfile), "C");
    EXPECT_EQ(Text(Options().cbbVideoSize), "220x176"); // C is selected, not applied

    Click(Options().btnDel);
    EXPECT_THAT(ListedProfiles(), ElementsAre("A", "B"));
    EXPECT_EQ(Text(Options().cbbCustomProfile), "B");
    Options().cbbCustomProfile->lineEdit()->selectAll();
    QTest::keyClicks(Options().cbbCustomProfile->lineEdit(), "nobody");
    Click(Options().btnDel);
    EXPECT_THAT(ListedProfiles(), ElementsAre("A", "B"));
    Click(Options().btnDel);
    Click(Options().btnDel);
    EXPECT_THAT(ListedProfiles(), ElementsAre());
    EXPECT_EQ(Text(Options().cbbCustomProfile), "");
}

TEST_F(OptionDialog, CancelRestoresAllEightOptionsAndTheProfileSelection) {
    Temp.Write("Config/UserProfileInfo.ini", "[A]\r\nA=0|0|0|0|0|0\r\n");
    OpenDialog();
    std::vector<std::string> Before = PresetOptions();
    Before.push_back(Text(Options().cbbAspectratio));
    Before.push_back(Text(Options().cbbAudioVolumeGain));
    for (QComboBox* Combo :
         {Options().cbbVideoSize, Options().cbbVideoBitrate, Options().cbbFramerate,
          Options().cbbAspectratio, Options().cbbAudioBitrate, Options().cbbAudioSample,
          Options().cbbAudioVolumeGain, Options().cbbAudioChannels})
        Pick(Combo, 0);
    Pick(Options().cbbCustomProfile, 0);
    Click(Main().btnOptions); // already open: brings it to the front, takes no new snapshot
    Click(Options().btnCancel);
    EXPECT_FALSE(frmOption->isVisible());
    std::vector<std::string> After = PresetOptions();
    After.push_back(Text(Options().cbbAspectratio));
    After.push_back(Text(Options().cbbAudioVolumeGain));
    EXPECT_EQ(After, Before);
    EXPECT_EQ(Options().cbbCustomProfile->currentIndex(), -1);
}

TEST_F(OptionDialog, OkRefillsTheProfileListAndKeepsTheOptions) {
    Dialogs.InputAnswers = {QString("Fresh")};
    OpenDialog();
    Pick(Options().cbbFramerate, 7);
    Click(Options().btnAdd);
    Click(Options().btnApply);
    EXPECT_FALSE(frmOption->isVisible());
    ASSERT_EQ(Main().cbbProfile->count(), 6);
    EXPECT_EQ(Main().cbbProfile->itemText(5), "Fresh");
    EXPECT_EQ(Text(Main().cbbProfile), "Normal Quality");
    EXPECT_EQ(Text(Options().cbbFramerate), "30");
    Pick(Main().cbbProfile, 5);
    EXPECT_EQ(Text(Options().cbbCustomProfile), "Fresh");
}

TEST_F(OptionDialog, StoredTuplesOfTheWrongLengthApplyNothing) {
    Temp.Write("Config/UserProfileInfo.ini", "[Five]\r\nFive=0|0|0|0|0\r\n[Seven]\r\nSeven=0|0|0|0|"
                                             "0|0|0\r\n[Gap]\r\nGap=0||0|0|0|0\r\n");
    OpenDialog();
    const std::vector<std::string> Before = PresetOptions();
    Pick(Options().cbbCustomProfile, 0);
    Pick(Options().cbbCustomProfile, 1);
    EXPECT_EQ(PresetOptions(), Before);
    Pick(Options().cbbCustomProfile, 2);
    EXPECT_THAT(PresetOptions(),
                ElementsAre("128x96", "15", "40", "16", "1 channel, Mono", "22050"));
}

TEST_F(OptionDialog, EnterAndEscPressNoButton) {
    OpenDialog();
    QLineEdit* Name = Options().cbbCustomProfile->lineEdit();
    Name->setFocus();
    QTest::keyClicks(Name, "Mine");
    for (const Qt::Key Key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(frmOption->windowHandle(), Key);
    EXPECT_TRUE(frmOption->isVisible());
    EXPECT_TRUE(Dialogs.Prompts.empty());                    // Add would ask for a name
    EXPECT_FALSE(Temp.Exists("Config/UserProfileInfo.ini")); // Save would store "Mine"
    EXPECT_EQ(Options().cbbCustomProfile->count(), 0);
}

TEST_F(OptionDialog, ShowingSelectsTheProfileTheMainWindowShows) {
    Temp.Write("Config/UserProfileInfo.ini", "[A]\r\nA=0|0|0|0|0|0\r\n[B]\r\nB=1|1|1|1|1|1\r\n");
    Start();
    Pick(Main().cbbProfile, 6);
    Click(Main().btnOptions);
    EXPECT_EQ(Text(Options().cbbCustomProfile), "B");
}

// Add never proposes a name a profile has (in any letter case), neither Add
// nor Save stores a name the settings file cannot hold, and a profile's name
// typed in other letter case replaces that profile.
TEST_F(OptionDialog, AddProposesOnlyFreeNamesAndRefusesNamesTheFileCannotHold) {
    const std::string Stored = "[UserProfileInfo1]\r\nUserProfileInfo1=0|0|0|0|0|0\r\n"
                               "[userprofileinfo2]\r\nuserprofileinfo2=1|1|1|1|1|1\r\n";
    Temp.Write("Config/UserProfileInfo.ini", Stored);
    Dialogs.InputAnswers = {QString("a=b"), QString("USERPROFILEINFO1")};
    OpenDialog();
    Click(Options().btnAdd);
    Options().cbbCustomProfile->setEditText(" Phone");
    Click(Options().btnSave);
    EXPECT_THAT(Dialogs.Prompts, ElementsAre("Plese input a name [UserProfileInfo3]"));
    ASSERT_EQ(Dialogs.Messages.size(), 2u);
    for (const auto& [Text, Kind] : Dialogs.Messages)
        EXPECT_THAT(Text.toStdString(), testing::StartsWith("A profile name cannot hold"));
    EXPECT_EQ(Temp.Read("Config/UserProfileInfo.ini"), Stored);
    Click(Options().btnAdd);
    EXPECT_EQ(Temp.Read("Config/UserProfileInfo.ini"),
              "[UserProfileInfo1]\r\nUserProfileInfo1=3|2|3|5|1|2\r\n"
              "[userprofileinfo2]\r\nuserprofileinfo2=1|1|1|1|1|1\r\n");
}

// The line under the list tells what the next conversion makes, read at the
// moment the conversion would read it: for every type, and with a custom
// profile selected in the dialog, which the conversion applies first.
TEST_F(OptionDialog, TheNextConversionsLineAgreesWithItsCommand) {
    Temp.Write("Config/UserProfileInfo.ini",
               "[Phone]\r\nPhone=0|7|9|10|0|3\r\n[Bad]\r\nBad=0|x|9|10|0|3\r\n");
    Prober.Default = 60;
    OpenDialog();
    const std::string Source = Temp.Write("a.rm", "x");
    CommonLib->AddSourceFiles(*Main().dxTreeSourceFileInfo, {QString::fromStdString(Source)});
    Main().edtOutputFolder->setText(QString::fromStdString(Temp.Path("out")));
    const std::map<std::string, std::string> KiloHertz = {
        {"22050", "22.05"}, {"32000", "32"}, {"44100", "44.1"}, {"48000", "48"}};
    const auto Expected = [&](const std::string& Type, const std::string& Profile) {
        const std::vector<std::string> Words =
            SplitCommandLine(CustomProc->CreateConvertParameter(Source));
        const auto After = [&](const std::string& Flag) {
            const auto At = std::find(Words.begin(), Words.end(), Flag);
            return At + 1 < Words.end() ? At[1] : std::string("none");
        };
        std::string Line = Type;
        if (Type != "MP3")
            Line += " \u00b7 " + After("-s") + " \u00b7 " + After("-r") + " fps \u00b7 " +
                    After("-b") + " kbit/s \u00b7 AAC";
        Line += (Type != "MP3" ? " " : " \u00b7 ") + After("-ab") + " kbit/s " +
                (After("-ac") == "1" ? "mono " : "stereo ") + KiloHertz.at(After("-ar")) +
                " kHz \u00b7 volume " + After("-vol") + " %";
        return Profile.empty() ? Line : Line + " \u00b7 profile \"" + Profile + "\"";
    };
    const char* const Types[] = {"3GP", "MPEG-4", "PSP", "iPod", "MP3", "H.264"};
    Pick(Options().cbbAudioVolumeGain, 4); // the volume is no preset's: it stays
    for (int Type = 0; Type < 6; ++Type) {
        Pick(Main().cbbOutputFiletype, Type);
        // Read before the command is built, which applies the options again.
        const std::string Shown = Main().lblOutputSummary->text().toStdString();
        EXPECT_EQ(Shown, Expected(Types[Type], ""));
    }
    Pick(Options().cbbCustomProfile, 0);
    const std::string Line = Main().lblOutputSummary->text().toStdString();
    EXPECT_EQ(Line, Expected("H.264", "Phone"));
    EXPECT_THAT(Line, testing::HasSubstr("128x96 \u00b7 30 fps \u00b7 2500 kbit/s"));
    Pick(Options().cbbCustomProfile, 1); // a conversion would stop at it
    EXPECT_THAT(Main().lblOutputSummary->text().toStdString(),
                testing::EndsWith("profile \"Bad\" cannot be read"));
}

} // namespace
