#include "FlashForm.h"
#include "ShellServices.h"
#include "Splash.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <gmock/gmock.h>

using testing::HasSubstr;

namespace {

using StartUp = WindowTest;

TEST_F(StartUp, ReadsTheProductTextsIntoTheCaption) {
    Start();
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(ProductInfo.ProductName, "Korvalin");
    EXPECT_EQ(ProductInfo.ProgramFolder, Temp.Folder());
    // The test program carries no version block: the name and one blank.
    EXPECT_EQ(FrmMainForm->windowTitle().toStdString(), "Korvalin ");
    EXPECT_EQ(Main().lblTitle->text(), FrmMainForm->windowTitle());
    EXPECT_GT(Main().cbbOutputFiletype->count(), 0) << "normal operation";
}

TEST_F(StartUp, EveryMissingCompanionIsNamedAndTheProgramEnds) {
    const std::pair<std::vector<std::string>, std::vector<QString>> Cases[] = {
        {{"Form.dll"}, {"'Form.dll' is not found. Please reinstall this program."}},
        {{"Res.dll", "Form.dll"},
         {"'Form.dll' is not found. Please reinstall this program.",
          "'Res.dll' is not found. Please reinstall this program."}},
    };
    for (const auto& [Missing, Messages] : Cases) {
        for (const std::string& Library : CompanionLibraries)
            std::filesystem::copy_file(KORVALIN_DIST + Library, Temp.Path(Library),
                                       std::filesystem::copy_options::overwrite_existing);
        for (const std::string& Library : Missing)
            std::filesystem::remove(Temp.Path(Library));
        Dialogs.Messages.clear();
        Start();
        std::vector<QString> Shown;
        for (const auto& [Text, Kind] : Dialogs.Messages) {
            Shown.push_back(Text);
            EXPECT_EQ(Kind, TMessageKind::Information);
        }
        EXPECT_EQ(Shown, Messages);
        EXPECT_TRUE(EndAfterStartUp);
        EXPECT_EQ(Main().cbbOutputFiletype->count(), 0) << "no normal operation";
        EXPECT_TRUE(QTest::qWaitFor([] { return FrmMainForm->isHidden(); }, 1000));
        ReleaseApplication();
    }
}

TEST_F(StartUp, UnwritableDataFolderIsToldAndConvertingSaysWhyItCannot) {
    Temp.Write("data", ""); // a file where the folder should be
    Folders = TAppFolders(Temp.Folder(), Temp.Path("data/"));
    DataFolderProblem = PrepareDataFolder(Folders).Problem;
    Start();
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].second, TMessageKind::Warning);
    EXPECT_THAT(Dialogs.Messages[0].first.toStdString(), HasSubstr(Temp.Path("data/")));
    EXPECT_GT(Main().cbbOutputFiletype->count(), 0) << "normal operation";

    Prober.Default = 5;
    const std::string Clip = Temp.Write("clip.rm", "x");
    CommonLib->AddSourceFiles(*Main().dxTreeSourceFileInfo, {QString::fromStdString(Clip)});
    QTest::keyClick(FrmMainForm->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return !CustomProc->Batch.Running(); }, 5000));
    ASSERT_EQ(Dialogs.Messages.size(), 2u);
    EXPECT_THAT(Dialogs.Messages[1].first.toStdString(),
                HasSubstr(Clip + " (Cannot create file \"" + Temp.Path("data/VideoFile.avs")));
    EXPECT_TRUE(Main().btnConvert->isEnabled());
    EXPECT_EQ(Temp.Read("data"), "") << "nothing written in its place";
}

TEST_F(StartUp, ServiceButtonsAndF1OpenHelpHomePageMailAndTheUpdater) {
    Start();
    Click(Main().btnHelp);
    System.HasViewer = false;
    QTest::keyClick(FrmMainForm->windowHandle(), Qt::Key_F1, Qt::ShiftModifier);
    Click(Main().btnHomePage);
    Click(Main().btnEMail);
    Main().btnUpdate->click(); // hidden: no key or visible control reaches it
    const std::string Folder = Temp.Folder();
    EXPECT_EQ(
        System.Actions,
        (std::vector<std::string>{
            "document " + Folder + "Help.chm", "document " + Folder + "Help/index.html",
            "web https://korvalin.example.org/", "web mailto:support@korvalin.example.org",
            "start " + Folder + "AutoUpDate.exe --settings " + Folder + "UpDateSettings.ini"}));
    EXPECT_FALSE(Main().btnUpdate->isVisible());

    std::filesystem::create_directory(Temp.Path("UpDateSettings.ini"));
    Main().btnUpdate->click();
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.Messages[0].first.toStdString(),
              "Unable to write to " + Temp.Path("UpDateSettings.ini"));
    EXPECT_EQ(System.Actions.size(), 5u) << "the updater is not started";
}

TEST_F(StartUp, AboutShowsFormDllsBoxUntilItIsClosed) {
    Start();
    QString Title, Version;
    QTimer::singleShot(100, [&] {
        if (QWidget* Box = QApplication::activeModalWidget()) {
            Title = Box->windowTitle();
            Version = Box->findChild<QLabel*>("lblVersion")->text();
            Box->close();
        }
    });
    Click(Main().btnAbout); // returns once the box is closed
    EXPECT_EQ(Title, "About Korvalin");
    EXPECT_EQ(Version, "Version ");

    // A Form.dll without the export: nothing happens.
    std::filesystem::copy_file(Temp.Path("Res.dll"), Temp.Path("Form.dll"),
                               std::filesystem::copy_options::overwrite_existing);
    Click(Main().btnAbout);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(StartUp, TheSplashShowsTwoSecondsAndRunsTheWorkWhileOnScreen) {
    // Esc at once, and again later, does not cut the start-up short.
    TFlashSplash Splash;
    SplashInUse = &Splash;
    QSize Shown;
    bool WorkDoneWhileShown = false;
    QTimer Watch;
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        for (QWidget* Window : QApplication::topLevelWidgets())
            if (auto* Flash = qobject_cast<TFrmFlashForm*>(Window); Flash && Flash->isVisible()) {
                QTest::keyClick(Flash, Qt::Key_Escape);
                Flash->close();
                Shown = Flash->size();
                WorkDoneWhileShown |= CustomProc != nullptr;
            }
    });
    Watch.start(50);
    QElapsedTimer Clock;
    Clock.start();
    Start();
    EXPECT_GE(Clock.elapsed(), 2000);
    EXPECT_EQ(Shown, QSize(420, 260));
    EXPECT_TRUE(WorkDoneWhileShown);
    EXPECT_EQ(FrmMainForm->windowTitle().toStdString(), "Korvalin ");
    EXPECT_GT(Main().cbbOutputFiletype->count(), 0) << "normal operation";
}

} // namespace
