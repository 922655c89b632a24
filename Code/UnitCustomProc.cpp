#include "UnitCustomProc.h"

#include "AppFunc.h"
#include "CustomProfiles.h"
#include "Errors.h"
#include "FileFunc.h"
#include "Globals.h"
#include "OptionChoice.h"
#include "OutputSummary.h"
#include "QtText.h"
#include "SourceListView.h"
#include "Unit_CommonLib.h"
#include "Unit_Convert.h"
#include "Unit_Option.h"
#include "UserSettings.h"
#include "ui_Unit_Convert.h"
#include "ui_Unit_Option.h"

#include <QComboBox>
#include <QDir>
#include <QScopeGuard>
#include <QSignalBlocker>

using namespace ConfigInfo;

namespace {

const QString ProfileFile = "UserProfileInfo.ini";

TCustomProfileStore ProfileStore() {
    return TCustomProfileStore(CommonLib->ConfigFolder());
}
TUserSettingsStore SettingsStore() {
    return TUserSettingsStore(CommonLib->ConfigFolder());
}

} // namespace

void TCustomProc::FillOptionCombo(QComboBox* Combo, TTextList List) const {
    const QSignalBlocker Quiet(Combo);
    for (const std::string_view Entry : EntriesOf(List))
        Combo->addItem(QString::fromUtf8(Entry.data(), static_cast<qsizetype>(Entry.size())));
    Combo->setCurrentIndex(DefaultIndexOf(List));
}

void TCustomProc::FillProfileCombo(QComboBox* Combo) const {
    const QSignalBlocker Quiet(Combo);
    for (const std::string_view Quality : EntriesOf(cstQualities).first(QualityCount))
        Combo->addItem(QString::fromUtf8(Quality.data(), static_cast<qsizetype>(Quality.size())));
    Combo->addItems(CommonLib->GetCustomProfileNames(ProfileFile));
    Combo->setCurrentIndex(DefaultIndexOf(cstQualities));
}

void TCustomProc::FillProfileControls() const {
    const auto& Main = *FrmMainForm->ui;
    const auto& Options = *frmOption->ui;
    FillOptionCombo(Main.cbbOutputFiletype, cstOutputFileTypes);
    FillProfileCombo(Main.cbbProfile);
    FillOptionCombo(Options.cbbAspectratio, cstAspectRatios);
    FillOptionCombo(Options.cbbVideoBitrate, cstVideoBitrates);
    FillOptionCombo(Options.cbbAudioBitrate, cstAudioBitrates);
    FillOptionCombo(Options.cbbAudioChannels, cstAudioChannels);
    FillOptionCombo(Options.cbbFramerate, cstFrameRates);
    FillOptionCombo(Options.cbbAudioSample, cstAudioSamples);
    FillOptionCombo(Options.cbbAudioVolumeGain, cstAudioVolumeGains);
    FillOptionCombo(Options.cbbVideoSize, cstVideoSizes);
    // The dialog's list is filled now as well, so that the main window's profile
    // entries always have their counterparts.
    ReloadCustomProfileList();
    LoadUserSettings();
    // The line of what the next conversion makes follows every choice it reads.
    for (QComboBox* Combo :
         {Main.cbbOutputFiletype, Options.cbbAspectratio, Options.cbbVideoBitrate,
          Options.cbbAudioBitrate, Options.cbbAudioChannels, Options.cbbFramerate,
          Options.cbbAudioSample, Options.cbbAudioVolumeGain, Options.cbbVideoSize,
          Options.cbbCustomProfile})
        QObject::connect(Combo, &QComboBox::currentIndexChanged, FrmMainForm,
                         [this] { ShowOutputSummary(); });
    ShowOutputSummary();
}

void TCustomProc::ShowOutputSummary() const {
    const QComboBox* Custom = frmOption->ui->cbbCustomProfile;
    const std::string Name = ToEngineText(Custom->itemText(Custom->currentIndex()));
    TOptionSelection Next = ReadOptions();
    std::string ProfileNote;
    try {
        if (const auto Applied = WithCustomProfile(Next, ToEngineText(GetCustomProfileValue()))) {
            Next = *Applied;
            ProfileNote = "profile \"" + Name + "\"";
        }
    } catch (const EConvertError&) { // the conversion stops at it, too
        ProfileNote = "profile \"" + Name + "\" cannot be read";
    }
    const QString Line = FromEngineText(OutputSummary(Next, ProfileNote));
    QLabel* Shown = FrmMainForm->ui->lblOutputSummary;
    Shown->setText(Line);
    Shown->setToolTip(Line);
}

void TCustomProc::ApplyProfile() const {
    const int Profile = FrmMainForm->ui->cbbProfile->currentIndex();
    if (Profile >= QualityCount) {
        frmOption->SelectCustomProfile(FrmMainForm->ui->cbbProfile->itemText(Profile));
        ApplyCustomProfile();
        return;
    }
    ApplyPresetTuple(PresetTupleOf(FrmMainForm->ui->cbbOutputFiletype->currentIndex(), Profile));
}

void TCustomProc::ApplyPresetTuple(std::string_view Tuple) const {
    // The combos change without a signal.
    const auto Shown = qScopeGuard([this] { ShowOutputSummary(); });
    ::ApplyPresetTuple(Tuple,
                       [this](TPresetOption Option, int Index) { SelectOption(Option, Index); });
}

QString TCustomProc::GetCustomProfileValue() const {
    const QComboBox* Combo = frmOption->ui->cbbCustomProfile;
    if (Combo->currentIndex() < 0)
        return QString();
    return CommonLib->ReadCustomProfile(ProfileFile, Combo->itemText(Combo->currentIndex()));
}

void TCustomProc::ApplyCustomProfile() const {
    // Also when a field stops it: the fields before it are applied.
    const auto Shown = qScopeGuard([this] { ShowOutputSummary(); });
    ApplyCustomProfileValue(
        ToEngineText(GetCustomProfileValue()),
        [this](TPresetOption Option, int Index) { SelectOption(Option, Index); });
}

bool TCustomProc::StorableName(const QString& Name) const {
    const std::string Problem = TCustomProfileStore::NameProblem(ToEngineText(Name));
    if (!Problem.empty())
        CommonLib->ShowMessageBox(FromEngineText(Problem), 1);
    return Problem.empty();
}

void TCustomProc::AddCustomProfile() const {
    const TCustomProfileStore Store = ProfileStore();
    const QString Proposed = FromEngineText(Store.ProposeName());
    const std::optional<QString> Name =
        CommonLib->Dialogs.InputText("Plese input a name", Proposed);
    if (Name && StorableName(*Name))
        Store.Store(ToEngineText(*Name), ProfileTuple(PresetIndexes()));
}

void TCustomProc::DeleteCustomProfile() const {
    const QComboBox* Combo = frmOption->ui->cbbCustomProfile;
    if (Combo->count() > 0)
        ProfileStore().Erase(ToEngineText(Combo->currentText()));
}

void TCustomProc::SaveCustomProfile() const {
    const QString Name = frmOption->ui->cbbCustomProfile->currentText();
    if (!Name.isEmpty() && StorableName(Name))
        ProfileStore().Store(ToEngineText(Name), ProfileTuple(PresetIndexes()));
}

void TCustomProc::ReloadCustomProfileList() const {
    QComboBox* Combo = frmOption->ui->cbbCustomProfile;
    const QSignalBlocker Quiet(Combo);
    const QString Shown = Combo->currentText();
    Combo->clear();
    Combo->addItems(CommonLib->GetCustomProfileNames(ProfileFile));
    Combo->setCurrentIndex(-1);
    Combo->setEditText(Shown);
    ShowOutputSummary(); // a saved profile's settings may have changed
}

void TCustomProc::LoadUserSettings() const {
    auto& Main = *FrmMainForm->ui;
    TUserSettings Defaults;
    Defaults.OutputFolder = ToEngineText(Main.edtOutputFolder->text());
    const TUserSettings Settings = SettingsStore().Load(Defaults);
    Main.chkShowOutputDirectory->setChecked(Settings.ShowOutputDirectory);
    Main.chkShutdown->setChecked(Settings.Shutdown);
    Main.edtOutputFolder->setText(FromEngineText(Settings.OutputFolder));
}

void TCustomProc::SaveUserSettings() const {
    const auto& Main = *FrmMainForm->ui;
    SettingsStore().Save({Main.chkShowOutputDirectory->isChecked(), Main.chkShutdown->isChecked(),
                          ToEngineText(Main.edtOutputFolder->text())});
}

QString TCustomProc::ReadInitDir() const {
    return FromEngineText(SettingsStore().ReadInitDir(ToEngineText(QDir::homePath() + "/")));
}

void TCustomProc::SaveInitDir(const QString& PickedFile) const {
    SettingsStore().SaveInitDir(TFileFunc().FileFolder(ToEngineText(PickedFile)));
}

QComboBox* TCustomProc::ComboOf(TPresetOption Option) const {
    const auto& Options = *frmOption->ui;
    switch (Option) {
    case TPresetOption::VideoSize:
        return Options.cbbVideoSize;
    case TPresetOption::Framerate:
        return Options.cbbFramerate;
    case TPresetOption::VideoBitrate:
        return Options.cbbVideoBitrate;
    case TPresetOption::AudioBitrate:
        return Options.cbbAudioBitrate;
    case TPresetOption::AudioChannels:
        return Options.cbbAudioChannels;
    case TPresetOption::AudioSample:
        break;
    }
    return Options.cbbAudioSample;
}

void TCustomProc::SelectOption(TPresetOption Option, int Index) const {
    QComboBox* Combo = ComboOf(Option);
    const QSignalBlocker Quiet(Combo);
    Combo->setCurrentIndex(Index >= 0 && Index < Combo->count() ? Index : -1);
}

std::array<int, PresetOptionCount> TCustomProc::PresetIndexes() const {
    std::array<int, PresetOptionCount> Indexes{};
    for (int Option = 0; Option < PresetOptionCount; ++Option)
        Indexes[static_cast<size_t>(Option)] =
            ComboOf(static_cast<TPresetOption>(Option))->currentIndex();
    return Indexes;
}

TOptionSelection TCustomProc::ReadOptions() const {
    const auto& Options = *frmOption->ui;
    const auto Text = [](const QComboBox* Combo) { return ToEngineText(Combo->currentText()); };
    TOptionSelection Selection;
    Selection.OutputType = FrmMainForm->ui->cbbOutputFiletype->currentIndex();
    Selection.VideoSize = Text(Options.cbbVideoSize);
    Selection.VideoBitrate = Text(Options.cbbVideoBitrate);
    Selection.Framerate = Text(Options.cbbFramerate);
    Selection.Aspectratio = Text(Options.cbbAspectratio);
    Selection.AudioBitrate = Text(Options.cbbAudioBitrate);
    Selection.AudioSample = Text(Options.cbbAudioSample);
    Selection.AudioChannels = Text(Options.cbbAudioChannels);
    Selection.AudioVolumeGain = Text(Options.cbbAudioVolumeGain);
    return Selection;
}

std::string TCustomProc::CreateConvertParameter(const std::string& Source) {
    // Only the rows of this file count, so a long list costs nothing more per file.
    const std::vector<TSourceRow> Rows = FrmMainForm->ui->dxTreeSourceFileInfo->RowsOfFile(Source);
    const TConvertInputs Inputs{Rows, ToEngineText(FrmMainForm->ui->edtOutputFolder->text()),
                                [this] { ApplyCustomProfile(); }, [this] { return ReadOptions(); }};
    return ::CreateConvertParameter(Source, Inputs, {*AppFunc, *FileFunc}, CommonLib->Params, Trim);
}
