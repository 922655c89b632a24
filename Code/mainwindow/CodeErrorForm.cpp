#include "CodeErrorForm.h"

#include "EventHandlers.h"
#include "SystemActions.h"
#include "Unit_ConfigInfo.h"
#include "ui_CodeErrorForm.h"

#include <QMouseEvent>
#include <QStyle>

TFrmCodeErrorForm::TFrmCodeErrorForm(QWidget* Parent, ISystemActions& System)
    : QDialog(Parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TFrmCodeErrorForm>()), System(System) {
    ui->setupUi(this);
    setFixedSize(size());
    ui->imgError->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    ui->lblLink->installEventFilter(this);
    connect(ui->btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

TFrmCodeErrorForm::~TFrmCodeErrorForm() = default;

bool TFrmCodeErrorForm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == ui->lblLink && Event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(Event)->button() == Qt::LeftButton) {
        RunHandler([this] { System.OpenWebAddress(ConfigInfo::CodecDownloadAddress); });
        return true;
    }
    return QDialog::eventFilter(Watched, Event);
}
