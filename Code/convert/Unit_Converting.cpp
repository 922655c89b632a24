#include "Unit_Converting.h"

#include "ui_Unit_Converting.h"

TfrmConverting::TfrmConverting(QWidget* Parent)
    : QDialog(Parent), ui(std::make_unique<Ui::TfrmConverting>()) {
    ui->setupUi(this);
}

TfrmConverting::~TfrmConverting() = default;
