#include "Unit_Convert.h"

#include "ui_Unit_Convert.h"

TFrmMainForm::TFrmMainForm(QWidget* Parent)
    : QMainWindow(Parent), ui(std::make_unique<Ui::TFrmMainForm>()) {
    ui->setupUi(this);
}

TFrmMainForm::~TFrmMainForm() = default;
