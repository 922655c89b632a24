#include "Unit_Option.h"

#include "DialogFrame.h"
#include "EventHandlers.h"
#include "Globals.h"
#include "UnitCustomProc.h"
#include "Unit_ConfigInfo.h"
#include "Unit_Convert.h"
#include "ui_Unit_Convert.h"
#include "ui_Unit_Option.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QShowEvent>
#include <QSignalBlocker>

TfrmOption::TfrmOption(QWidget* Parent)
    : QDialog(Parent, FixedDialogFrame), ui(std::make_unique<Ui::TfrmOption>()) {
    ui->setupUi(this);
    setFixedSize(size());
    connect(ui->cbbCustomProfile, &QComboBox::activated, this,
            Handler(this, &TfrmOption::cbbCustomProfileChange));
    connect(ui->cbbCustomProfile->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& Text) { RunHandler([&] { cbbCustomProfileTextEdited(Text); }); });
    connect(ui->btnAdd, &QPushButton::clicked, this, Handler(this, &TfrmOption::btnAddClick));
    connect(ui->btnDel, &QPushButton::clicked, this, Handler(this, &TfrmOption::btnDelClick));
    connect(ui->btnSave, &QPushButton::clicked, this, Handler(this, &TfrmOption::btnSaveClick));
    connect(ui->btnApply, &QPushButton::clicked, this, Handler(this, &TfrmOption::btnApplyClick));
    connect(ui->btnCancel, &QPushButton::clicked, this, Handler(this, &TfrmOption::btnCancelClick));
}

TfrmOption::~TfrmOption() = default;

void TfrmOption::ShowOptions() {
    if (isVisible()) {
        raise();
        activateWindow();
    } else {
        show();
    }
}

void TfrmOption::SelectCustomProfile(const QString& Name) {
    const QSignalBlocker Quiet(ui->cbbCustomProfile);
    ui->cbbCustomProfile->setCurrentIndex(
        ui->cbbCustomProfile->findText(Name, Qt::MatchExactly | Qt::MatchCaseSensitive));
    CustomProc->ShowOutputSummary(); // the next conversion applies the selected profile
}

void TfrmOption::showEvent(QShowEvent* Event) {
    if (!Event->spontaneous())
        RunHandler([this] { FormShow(); });
    QDialog::showEvent(Event);
}

void TfrmOption::keyPressEvent(QKeyEvent* Event) {
    // No button is the dialog's cancel button, so Esc closes nothing; with no
    // default button either, Enter presses nothing.
    if (Event->key() == Qt::Key_Escape)
        Event->accept();
    else
        QDialog::keyPressEvent(Event);
}

void TfrmOption::FormShow() {
    CustomProc->ReloadCustomProfileList();
    const QComboBox* Profile = FrmMainForm->ui->cbbProfile;
    if (ui->cbbCustomProfile->currentText().isEmpty() &&
        Profile->currentIndex() >= ConfigInfo::QualityCount)
        SelectCustomProfile(Profile->currentText());
    const std::array<QComboBox*, 9> Saved = SavedCombos();
    for (size_t I = 0; I < Saved.size(); ++I)
        SavedOptionIndexes[I] = Saved[I]->currentIndex();
}

void TfrmOption::cbbCustomProfileChange() {
    CustomProc->ApplyCustomProfile();
}

void TfrmOption::cbbCustomProfileTextEdited(const QString& Text) {
    // A typed name selects no entry: only a picked entry is ever applied.
    {
        const QSignalBlocker Quiet(ui->cbbCustomProfile);
        const int Cursor = ui->cbbCustomProfile->lineEdit()->cursorPosition();
        ui->cbbCustomProfile->setCurrentIndex(-1);
        ui->cbbCustomProfile->setEditText(Text);
        ui->cbbCustomProfile->lineEdit()->setCursorPosition(Cursor);
    }
    cbbCustomProfileChange();
}

std::array<QComboBox*, 9> TfrmOption::SavedCombos() const {
    return {ui->cbbVideoSize,       ui->cbbVideoBitrate,  ui->cbbFramerate,
            ui->cbbAspectratio,     ui->cbbAudioBitrate,  ui->cbbAudioSample,
            ui->cbbAudioVolumeGain, ui->cbbAudioChannels, ui->cbbCustomProfile};
}

void TfrmOption::SelectLastProfile() {
    const QSignalBlocker Quiet(ui->cbbCustomProfile);
    ui->cbbCustomProfile->setCurrentIndex(ui->cbbCustomProfile->count() - 1);
    CustomProc->ShowOutputSummary();
}

void TfrmOption::btnAddClick() {
    CustomProc->AddCustomProfile();
    CustomProc->ReloadCustomProfileList();
    SelectLastProfile();
}

void TfrmOption::btnDelClick() {
    CustomProc->DeleteCustomProfile();
    CustomProc->ReloadCustomProfileList();
    SelectLastProfile();
    if (ui->cbbCustomProfile->count() == 0)
        ui->cbbCustomProfile->setEditText(QString());
}

void TfrmOption::btnSaveClick() {
    CustomProc->SaveCustomProfile();
    CustomProc->ReloadCustomProfileList();
    SelectLastProfile();
}

void TfrmOption::btnApplyClick() {
    QComboBox* Profile = FrmMainForm->ui->cbbProfile;
    {
        const QSignalBlocker Quiet(Profile);
        Profile->clear();
    }
    CustomProc->FillProfileCombo(Profile);
    hide();
}

void TfrmOption::btnCancelClick() {
    const std::array<QComboBox*, 9> Saved = SavedCombos();
    for (size_t I = 0; I < Saved.size(); ++I) {
        const QSignalBlocker Quiet(Saved[I]);
        Saved[I]->setCurrentIndex(SavedOptionIndexes[I]);
    }
    CustomProc->ShowOutputSummary();
    hide();
}
