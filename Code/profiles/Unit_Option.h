#pragma once

#include <QDialog>
#include <array>
#include <memory>

class QComboBox;

namespace Ui {
class TfrmOption;
}

// The Options dialog: the eight encoding options and the custom profiles. It is
// shown without blocking the main window.
class TfrmOption : public QDialog {
    Q_OBJECT

public:
    explicit TfrmOption(QWidget* Parent);
    ~TfrmOption() override;

    // Shows the dialog, or brings it to the front when it is already open.
    void ShowOptions();
    // Selects the dialog's profile entry of that name, or none, without applying it.
    void SelectCustomProfile(const QString& Name);

    const std::unique_ptr<Ui::TfrmOption> ui;

protected:
    void showEvent(QShowEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void FormShow();
    void cbbCustomProfileChange();
    void cbbCustomProfileTextEdited(const QString& Text);
    void btnAddClick();
    void btnDelClick();
    void btnSaveClick();
    void btnApplyClick();
    void btnCancelClick();
    void SelectLastProfile();
    // The eight option combos and the profile list, in snapshot order.
    std::array<QComboBox*, 9> SavedCombos() const;

    // The selected entries of the eight option combos and of the profile list,
    // taken when the dialog is shown and restored by Cancel.
    std::array<int, 9> SavedOptionIndexes{};
};
