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

} // namespace
