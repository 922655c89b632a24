#pragma once

#include "BatchDriver.h"
#include "BatchHost.h"
#include "ConvertParameter.h"
#include "ProfileTuples.h"
#include "Unit_ConfigInfo.h"

#include <QString>
#include <array>

class QComboBox;

// The profile, settings and batch operations on the windows' controls. The
// controls hold the state; the rules come from the engine.
class TCustomProc {
public:
    TCustomProc() { BatchHost.SetDriver(Batch); }

    // Appends the list's entries to the combo and selects its default entry.
    void FillOptionCombo(QComboBox* Combo, ConfigInfo::TTextList List) const;
    // Appends the five qualities and the stored custom profiles, then selects
    // "Normal Quality".
    void FillProfileCombo(QComboBox* Combo) const;
    // Fills every encoding combo of both windows, then loads the user settings.
    void FillProfileControls() const;

    // Applies the selected output type and profile to the six preset options.
    void ApplyProfile() const;
    void ApplyPresetTuple(std::string_view Tuple) const;

    // The stored tuple of the custom profile selected in the Options dialog.
    QString GetCustomProfileValue() const;
    // Sets the six preset options from the selected custom profile, if any.
    void ApplyCustomProfile() const;

    // The file side of the Options dialog's Add, Delete and Save buttons.
    void AddCustomProfile() const;
    void DeleteCustomProfile() const;
    void SaveCustomProfile() const;
    // Reloads the dialog's profile list, keeping the text shown and selecting nothing.
    void ReloadCustomProfileList() const;

    void LoadUserSettings() const;
    void SaveUserSettings() const;
    // The folder the open dialog starts in.
    QString ReadInitDir() const;
    // Keeps the folder of the file last picked in the open dialog.
    void SaveInitDir(const QString& PickedFile) const;

    // The option selection the encoding combos show.
    TOptionSelection ReadOptions() const;
    // Shows in the main window what the next conversion makes: the combos'
    // options with the selected custom profile applied, as the conversion
    // applies it before it reads them.
    void ShowOutputSummary() const;
    // Builds the encoder command for a source from the list and the combos;
    // fills CommonLib's conversion parameters and Trim.
    std::string CreateConvertParameter(const std::string& Source);

    // The trim range of the file being converted.
    TTrimValues Trim;

    // The batch conversion of the source list and the windows it works through.
    TBatchHost BatchHost;
    TBatchDriver Batch{BatchHost};

private:
    QComboBox* ComboOf(TPresetOption Option) const;
    // False, having told the user why, for a name the profile file cannot hold.
    bool StorableName(const QString& Name) const;
    void SelectOption(TPresetOption Option, int Index) const;
    std::array<int, PresetOptionCount> PresetIndexes() const;
};
