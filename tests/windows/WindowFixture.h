#pragma once

#include "DurationProbe.h"
#include "Globals.h"
#include "MpvGraph.h"
#include "ProductInfo.h"
#include "RecordingSystem.h"
#include "SourceListView.h"
#include "TempFolder.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_Convert.h"
#include "Unit_Option.h"
#include "UserDialogs.h"
#include "ui_Unit_Convert.h"
#include "ui_Unit_Option.h"

#include <QComboBox>
#include <QtTest/QTest>
#include <deque>
#include <gtest/gtest.h>
#include <map>

// Dialogs answered by the test: the answers are queued beforehand, and what
// was asked is recorded.
class TAnsweringDialogs : public IUserDialogs {
public:
    void ShowMessage(const QString& Text, TMessageKind Kind) override {
        Messages.emplace_back(Text, Kind);
    }
    bool Confirm(const QString& Question) override {
        Prompts.push_back(Question);
        return Next(ConfirmAnswers).value_or(false);
    }
    std::optional<QString> InputText(const QString& Prompt, const QString& Initial) override {
        Prompts.push_back(Prompt + " [" + Initial + "]");
        return Next(InputAnswers);
    }
    std::optional<QString> BrowseFolder(const QString& Title, const QString&) override {
        Prompts.push_back(Title);
        return Next(FolderAnswers);
    }
    QStringList OpenFiles(const QString& InitialFolder, const QString& Filter) override {
        Prompts.push_back("open " + InitialFolder + " " + Filter);
        return Next(FileAnswers).value_or(QStringList());
    }
    void ShowCodecError(const QStringList& Files) override {
        Messages.emplace_back("codec error: " + Files.join(", "), TMessageKind::Error);
    }

    std::deque<std::optional<QString>> InputAnswers, FolderAnswers;
    std::deque<std::optional<QStringList>> FileAnswers;
    std::deque<std::optional<bool>> ConfirmAnswers;
    std::vector<std::pair<QString, TMessageKind>> Messages;
    std::vector<QString> Prompts;

private:
    template <typename TAnswer>
    static std::optional<TAnswer> Next(std::deque<std::optional<TAnswer>>& Answers) {
        std::optional<TAnswer> Answer;
        if (!Answers.empty()) {
            Answer.swap(Answers.front());
            Answers.pop_front();
        }
        return Answer;
    }
};

// Durations chosen by the test, by file name; a file it does not know plays
// for Default seconds. Probing runs on another thread, so all is set before.
class TFakeProber : public IDurationProber {
public:
    int32_t ProbeDuration(const std::string& Path) const override {
        if (OnProbe)
            OnProbe(Path);
        const auto Found = Seconds.find(std::filesystem::path(Path).filename().string());
        return Found == Seconds.end() ? Default : Found->second;
    }
    std::map<std::string, int32_t> Seconds;
    int32_t Default = 0;
    std::function<void(const std::string& Path)> OnProbe;
};

// A preview graph that records what it is asked; the test tells the player
// how loading ended through Listener, and sets the position and length.
class TFakeGraph : public IMediaGraph {
public:
    explicit TFakeGraph(IMediaGraphListener& Listener) : Listener(Listener) {}
    bool Active() const override { return IsActive; }
    void SetActive(bool Active) override { IsActive = Active; }
    void Clear() override { Calls.push_back("clear"); }
    void RenderFile(const std::string& Path) override {
        if (!IsActive)
            throw std::runtime_error("inactive");
        Calls.push_back("render " + std::filesystem::path(Path).filename().string());
    }
    void Play() override { Calls.push_back("play"); }
    void Pause() override { Calls.push_back("pause"); }
    void Stop() override { Calls.push_back("stop"); }
    int64_t DurationMs() const override { return Duration; }
    int64_t CurrentPosition() const override { return Position; }
    void Seek(int64_t Milliseconds) override {
        Calls.push_back("seek " + std::to_string(Milliseconds));
        Position = Milliseconds * 10000;
    }
    void SetVideoSize(int, int) override {}

    IMediaGraphListener& Listener;
    bool IsActive = false;
    std::vector<std::string> Calls;
    int64_t Duration = 0, Position = 0;
};

// The program's windows and single instances on a program folder of the
// test's own, with a Config folder; the main window is shown by Start.
class WindowTest : public testing::Test {
protected:
    // The companion libraries lie beside the program, as installed.
    WindowTest() {
        std::filesystem::create_directory(Temp.Path("Config"));
        for (const std::string& Library : CompanionLibraries)
            std::filesystem::copy_file(KORVALIN_DIST + Library, Temp.Path(Library));
    }
    ~WindowTest() override { ReleaseApplication(); }

    void Start() {
        ApplicationServices = {
            Folders,
            DataFolderProblem,
            &Dialogs,
            SystemInUse,
            ProberInUse,
            [this](IOutputDispatcher& Dispatcher,
                   IMediaGraphListener& Listener) -> std::unique_ptr<IMediaGraph> {
                if (RealGraph)
                    return std::make_unique<TMpvGraph>(Dispatcher, Listener, "null");
                auto Fake = std::make_unique<TFakeGraph>(Listener);
                Graph = Fake.get();
                return Fake;
            },
            SplashInUse};
        CreateForms();
        FrmMainForm->show();
        FrmMainForm->activateWindow();
    }
    Ui::TFrmMainForm& Main() const { return *FrmMainForm->ui; }
    // The paths the source list shows, in its order.
    std::vector<std::string> Paths() const {
        std::vector<std::string> Result;
        for (int Index = 0; Index < Main().dxTreeSourceFileInfo->RowCount(); ++Index)
            Result.push_back(Main().dxTreeSourceFileInfo->Row(Index)[FileNameColumn]);
        return Result;
    }
    Ui::TfrmOption& Options() const { return *frmOption->ui; }

    // The user picks entry Index of the combo with the arrow keys.
    static void Pick(QComboBox* Combo, int Index) {
        Combo->setFocus();
        while (Combo->currentIndex() < Index)
            QTest::keyClick(Combo, Qt::Key_Down);
        while (Combo->currentIndex() > Index)
            QTest::keyClick(Combo, Qt::Key_Up);
        ASSERT_EQ(Combo->currentIndex(), Index) << Combo->objectName().toStdString();
    }
    static void Click(QWidget* Control) { QTest::mouseClick(Control, Qt::LeftButton); }
    static std::string Text(const QComboBox* Combo) { return Combo->currentText().toStdString(); }

    // The six preset options as the dialog shows them.
    std::vector<std::string> PresetOptions() const {
        return {Text(Options().cbbVideoSize),     Text(Options().cbbFramerate),
                Text(Options().cbbVideoBitrate),  Text(Options().cbbAudioBitrate),
                Text(Options().cbbAudioChannels), Text(Options().cbbAudioSample)};
    }

    TTempFolder Temp;
    TAppFolders Folders{Temp.Folder()}; // the program's and the data folder in one
    std::string DataFolderProblem;
    TAnsweringDialogs Dialogs;
    TRecordingSystem System;
    ISystemActions* SystemInUse = &System; // what the program acts on the system through
    TFakeProber Prober;
    const IDurationProber* ProberInUse = &Prober;
    ISplashScreen* SplashInUse = nullptr; // none: the start-up work runs at once
    bool RealGraph = false;               // the preview plays on libmpv, silently
    TFakeGraph* Graph = nullptr;          // the preview's graph otherwise
};
