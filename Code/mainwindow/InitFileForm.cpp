#include "InitFileForm.h"

#include "EventHandlers.h"
#include "Globals.h"
#include "Unit_CommonLib.h"
#include "Unit_Convert.h"
#include "ui_InitFileForm.h"
#include "ui_Unit_Convert.h"

#include <QShowEvent>

TFrmInitFileForm::TFrmInitFileForm(QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::FramelessWindowHint),
      ui(std::make_unique<Ui::TFrmInitFileForm>()) {
    ui->setupUi(this);
    setFixedSize(size());
    Timer1.setInterval(1000);
    Timer2.setInterval(300);
    Timer2.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, Handler(this, &TFrmInitFileForm::Timer1Timer));
    connect(&Timer2, &QTimer::timeout, this, Handler(this, &TFrmInitFileForm::Timer2Timer));
}

TFrmInitFileForm::~TFrmInitFileForm() = default;

void TFrmInitFileForm::showEvent(QShowEvent* Event) {
    if (parentWidget()) // centred over the main window
        move(parentWidget()->geometry().center() - rect().center());
    Spinner = 1;
    Timer1.start();
    Timer2.start();
    QDialog::showEvent(Event);
}

void TFrmInitFileForm::done(int Result) {
    Timer1.stop();
    Timer2.stop();
    QDialog::done(Result);
}

void TFrmInitFileForm::Timer1Timer() {
    static const char* const Signs[] = {"|", "/", "-", "\\"};
    Spinner = Spinner % 4 + 1;
    ui->lblInfo->setText(QString("Installing File...  ") + Signs[Spinner - 1]);
}

void TFrmInitFileForm::Timer2Timer() {
    RunHandler(
        [this] { CommonLib->AddSourceFiles(*FrmMainForm->ui->dxTreeSourceFileInfo, Files); });
    accept();
}
