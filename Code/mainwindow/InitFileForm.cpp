#include "InitFileForm.h"

#include "ui_InitFileForm.h"

TFrmInitFileForm::TFrmInitFileForm(QWidget* Parent)
    : QDialog(Parent, Qt::FramelessWindowHint), ui(std::make_unique<Ui::TFrmInitFileForm>()) {
    ui->setupUi(this);
}

TFrmInitFileForm::~TFrmInitFileForm() = default;
