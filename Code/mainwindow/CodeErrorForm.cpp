#include "CodeErrorForm.h"

#include "DialogFrame.h"
#include "EventHandlers.h"
#include "ShellServices.h"
#include "SystemActions.h"
#include "ui_CodeErrorForm.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QStyle>

namespace {

// More files than this scroll in the list.
constexpr int MostFilesInSight = 5;
constexpr int BottomMargin = 10;

} // namespace

TFrmCodeErrorForm::TFrmCodeErrorForm(QWidget* Parent, ISystemActions& System, std::string HelpPage,
                                     const QStringList& Files)
    : QDialog(Parent, FixedDialogFrame), ui(std::make_unique<Ui::TFrmCodeErrorForm>()),
      System(System), HelpPage(std::move(HelpPage)) {
    ui->setupUi(this);
    ListFiles(Files);
    setFixedSize(size());
    ui->imgError->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    ui->lblLink->installEventFilter(this);
    connect(ui->btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

TFrmCodeErrorForm::~TFrmCodeErrorForm() = default;

void TFrmCodeErrorForm::ListFiles(const QStringList& Files) {
    QListWidget& List = *ui->lstFiles;
    for (const QString& File : Files) {
        auto* Item = new QListWidgetItem(File, &List);
        Item->setToolTip(File); // a long path shows its two ends only
    }
    const int Rows = std::clamp(static_cast<int>(Files.size()), 1, MostFilesInSight);
    List.setFixedHeight(Rows * std::max(List.sizeHintForRow(0), 1) + 2 * List.frameWidth());
    resize(width(), List.geometry().bottom() + 1 + BottomMargin);
}

bool TFrmCodeErrorForm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == ui->lblLink && Event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(Event)->button() == Qt::LeftButton) {
        RunHandler([this] { OpenHelpPage(System, HelpPage); });
        return true;
    }
    return QDialog::eventFilter(Watched, Event);
}
