#include "Unit_Convert.h"

#include "AppFunc.h"
#include "EventHandlers.h"
#include "Globals.h"
#include "InitFileForm.h"
#include "QtText.h"
#include "ShellServices.h"
#include "SourceGathering.h"
#include "StartUp.h"
#include "SystemActions.h"
#include "UnitCustomProc.h"
#include "Unit_CommonLib.h"
#include "Unit_ConfigInfo.h"
#include "Unit_Converting.h"
#include "Unit_Option.h"
#include "ui_Unit_Convert.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QThreadPool>
#include <QTimer>
#include <QWindow>

namespace {

const QSize DesignSize(692, 519);
const QSize SmallestSize(686, 519);
// How often files handed from outside look again whether a dialog has closed.
constexpr int DialogWaitMs = 250;

// The window's own look, kept inside its central widget so that dialogs and
// message boxes keep the platform's readable colours. Labels and controls use
// the application's one font family.
const char* const Look = R"(
#centralwidget { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2b3a55, stop:1 #151c2b); }
QLabel { color: white; }
#lblTitle { font-weight: bold; font-size: 14pt; }
#Label3 { text-decoration: underline; }
#Panel1 { background: rgb(61, 65, 77); }
#DSVideoWindowEx1, #pnlCurTime { background: black; }
#pnlCurTime { font-size: 11pt; }
#panLogo { font-size: 20pt; font-weight: bold; color: #5d7bb5; }
#lblPlayFailure { color: #e8c36a; }
#lblOutputSummary { color: #c9d4ea; }
)";

// The form's controls exist before the preview that works on them.
std::unique_ptr<TPreviewPlayer> BuildPreview(TFrmMainForm& Window, Ui::TFrmMainForm& Form) {
    Form.setupUi(&Window);
    for (QLabel* Cover : {Form.panLogo, Form.lblPlayFailure})
        Cover->setAttribute(Qt::WA_TransparentForMouseEvents); // the area sees the mouse
    const TPreviewControls Controls{
        *Form.dxTreeSourceFileInfo, *Form.DSVideoWindowEx1, *Form.panLogo,
        *Form.lblPlayFailure,       *Form.pnlCurTime,       *Form.Panel1};
    auto Preview =
        std::make_unique<TPreviewPlayer>(Controls, ApplicationServices.CreateMediaGraph, &Window);
    Form.dxTreeSourceFileInfo->SetPreview(*Preview);
    return Preview;
}

} // namespace

TFrmMainForm::TFrmMainForm(QWidget* Parent)
    : QMainWindow(Parent, Qt::FramelessWindowHint), ui(std::make_unique<Ui::TFrmMainForm>()),
      Preview(BuildPreview(*this, *ui)) {
    ui->centralwidget->setStyleSheet(Look);
    setMinimumSize(SmallestSize);
    ui->edtOutputFolder->setText(QDir::homePath() + "/Korvalin");
    setAcceptDrops(true);
    if (const QScreen* Screen = QGuiApplication::primaryScreen())
        move(Screen->availableGeometry().center() - rect().center());

    using A = TWindowAnchors;
    Anchors.Add(ui->dxTreeSourceFileInfo, A::StretchRight | A::StretchDown, DesignSize);
    Anchors.Add(ui->lblOutputSummary, A::StretchRight | A::MoveDown, DesignSize);
    // What is cut from a long line is the middle: the type and the profile stay.
    ui->lblOutputSummary->SetElideMode(Qt::ElideMiddle);
    for (QWidget* Stretching : std::initializer_list<QWidget*>{ui->lblTitle, ui->cbbOutputFiletype,
                                                               ui->cbbProfile, ui->edtOutputFolder})
        Anchors.Add(Stretching, A::StretchRight, DesignSize);
    for (QWidget* Moving : std::initializer_list<QWidget*>{
             ui->btnWindowMinimize, ui->btnWindowClose, ui->btnHomePage, ui->btnEMail, ui->btnHelp,
             ui->btnAbout, ui->btnOptions, ui->RzBmpButton1, ui->btnSelectOutputFolder,
             ui->btnOpenFile, ui->btnRemoveFile, ui->btnClearFile, ui->btnConvert})
        Anchors.Add(Moving, A::MoveRight, DesignSize);

    connect(ui->cbbOutputFiletype, &QComboBox::activated, this,
            Handler(this, &TFrmMainForm::cbbOutputFiletypeChange));
    connect(ui->cbbProfile, &QComboBox::activated, this,
            Handler(this, &TFrmMainForm::cbbProfileChange));
    connect(ui->btnOptions, &QPushButton::clicked, this,
            Handler(this, &TFrmMainForm::btnOptionsClick));
    connect(ui->RzBmpButton1, &QPushButton::clicked, this,
            Handler(this, &TFrmMainForm::btnSelectOutputFolderClick));
    connect(ui->btnSelectOutputFolder, &QPushButton::clicked, this,
            Handler(this, &TFrmMainForm::btnSelectOutputFolderClick));
    connect(ui->btnWindowMinimize, &QToolButton::clicked, this,
            Handler(this, &TFrmMainForm::actMinimizeExecute));
    connect(ui->btnWindowClose, &QToolButton::clicked, this, &QWidget::close);
    connect(ui->btnHelp, &QToolButton::clicked, this,
            Handler(this, &TFrmMainForm::ActSysHelpExecute));
    connect(ui->btnHomePage, &QToolButton::clicked, this,
            Handler(this, &TFrmMainForm::ActSysHomePageExecute));
    connect(ui->btnEMail, &QToolButton::clicked, this,
            Handler(this, &TFrmMainForm::ActSysEmailExecute));
    connect(ui->btnAbout, &QToolButton::clicked, this,
            Handler(this, &TFrmMainForm::ActSysAboutExecute));
    connect(ui->btnUpdate, &QToolButton::clicked, this,
            Handler(this, &TFrmMainForm::actUpdateExecute));
    connect(ui->btnOpenFile, &QPushButton::clicked, this,
            Handler(this, &TFrmMainForm::btnOpenFileClick));
    connect(ui->btnRemoveFile, &QPushButton::clicked, this,
            Handler(this, &TFrmMainForm::btnRemoveFileClick));
    connect(ui->btnClearFile, &QPushButton::clicked, this,
            Handler(this, &TFrmMainForm::btnClearFileClick));
    connect(ui->btnConvert, &QPushButton::clicked, this,
            Handler(this, &TFrmMainForm::btnConvertClick));
    connect(ui->btnPlay, &QToolButton::clicked, this,
            Handler(Preview.get(), &TPreviewPlayer::btnPlayClick));
    connect(ui->btnPause, &QToolButton::clicked, this,
            Handler(Preview.get(), &TPreviewPlayer::btnPauseClick));
    connect(ui->btnStop, &QToolButton::clicked, this,
            Handler(Preview.get(), &TPreviewPlayer::btnStopClick));
    connect(ui->dxTreeSourceFileInfo, &TSourceListView::FilesDropped, this,
            &TFrmMainForm::FilesDropped);
    connect(&tmrClearMemory, &QTimer::timeout, this,
            Handler(this, &TFrmMainForm::tmrClearMemoryTimer));
    tmrClearMemory.start(1000);

    // A drag on the title or the background moves the window; a click on a
    // check box's caption toggles the box, and one on the codec link opens it.
    for (QWidget* Watched : std::initializer_list<QWidget*>{ui->lblTitle, ui->centralwidget,
                                                            ui->Label1, ui->Label2, ui->Label3})
        Watched->installEventFilter(this);
}

TFrmMainForm::~TFrmMainForm() = default;

void TFrmMainForm::showEvent(QShowEvent* Event) {
    if (!Shown) {
        Shown = true;
        // The platform window receives each key once, before the focused control.
        windowHandle()->installEventFilter(this);
        RunHandler([this] { FormShow(); });
    }
    QMainWindow::showEvent(Event);
}

void TFrmMainForm::FormShow() {
    ShowSplash();
    if (!CustomProc || EndAfterStartUp) { // incomplete: the program ends without going on
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        QTimer::singleShot(0, this, &QWidget::hide);
        return;
    }
    CustomProc->FillProfileControls();
    CustomProc->ApplyProfile();
    Journal = std::make_unique<TListJournalKeeper>(*ui->dxTreeSourceFileInfo, *CommonLib, *AppFunc,
                                                   [] { return CustomProc->Batch.Running(); });
    // Asked once the window is on the screen.
    QTimer::singleShot(0, this, Handler(Journal.get(), &TListJournalKeeper::Offer));
}

void TFrmMainForm::closeEvent(QCloseEvent* Event) {
    Event->accept();
    FolderListing.request_stop();
    if (!CustomProc || EndAfterStartUp) { // no settings were loaded, so none are saved
        QCoreApplication::quit();
        return;
    }
    if (Journal) // before the batch is stopped: its undone rows are offered at the next start
        Journal->Close();
    // No encoder goes on without its window, and no further file starts.
    if (CustomProc->Batch.Running()) {
        CustomProc->Batch.RequestStop(true);
        frmConverting->hide();
        RunHandler([] {
            if (CustomProc->BatchHost.StopEncoder())
                CustomProc->Batch.RemovePartialOutput();
        });
    }
    Preview->ClearGraph();
    RunHandler([] { CustomProc->SaveUserSettings(); }); // the program ends even when this fails
    QCoreApplication::quit(); // last: quitting ends every waiting loop and closes the windows
}

void TFrmMainForm::resizeEvent(QResizeEvent* Event) {
    QMainWindow::resizeEvent(Event);
    setMinimumSize(SmallestSize);
    Anchors.Apply(size());
}

bool TFrmMainForm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::KeyPress && Watched == windowHandle()) {
        RunHandler([&] { FormKeyDown(*static_cast<QKeyEvent*>(Event)); });
    } else if (LabelClicked(Watched, Event)) {
        return true;
    } else if (Event->type() == QEvent::MouseButtonPress &&
               (Watched == ui->lblTitle || Watched == ui->centralwidget) && windowHandle()) {
        windowHandle()->startSystemMove();
    }
    return QMainWindow::eventFilter(Watched, Event);
}

bool TFrmMainForm::LabelClicked(QObject* Watched, QEvent* Event) {
    const std::function<void()> Click =
        Watched == ui->Label1 ? std::function<void()>([this] { ui->chkShutdown->click(); })
        : Watched == ui->Label2
            ? std::function<void()>([this] { ui->chkShowOutputDirectory->click(); })
        : Watched == ui->Label3 ? std::function<void()>([this] { Label3Click(); })
                                : nullptr;
    if (!Click)
        return false;
    if (Event->type() == QEvent::MouseButtonPress) // a click, not a drag of the window
        return true;
    if (Event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* Mouse = static_cast<QMouseEvent*>(Event);
    if (Mouse->button() == Qt::LeftButton &&
        static_cast<QWidget*>(Watched)->rect().contains(Mouse->position().toPoint()))
        RunHandler(Click);
    return true;
}

void TFrmMainForm::FormKeyDown(const QKeyEvent& Key) {
    if (Key.key() == Qt::Key_F1) // with any modifiers
        ui->btnHelp->click();
    const bool Ctrl =
        (Key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)) ==
        Qt::ControlModifier;
    if (!Ctrl)
        return;
    const std::pair<int, QAbstractButton*> Shortcuts[] = {
        {Qt::Key_O, ui->btnOpenFile},  {Qt::Key_R, ui->btnRemoveFile},
        {Qt::Key_L, ui->btnClearFile}, {Qt::Key_I, ui->btnOptions},
        {Qt::Key_P, ui->btnPlay},      {Qt::Key_U, ui->btnPause},
        {Qt::Key_T, ui->btnStop},      {Qt::Key_S, ui->btnConvert},
        {Qt::Key_N, ui->btnConvert},   {Qt::Key_B, ui->btnSelectOutputFolder}};
    for (const auto& [Code, Button] : Shortcuts) {
        if (Key.key() == Code)
            Button->click();
    }
}

void TFrmMainForm::tmrClearMemoryTimer() {
    if (CommonLib) // the program's services exist once the window has been shown
        CommonLib->ProcessControl().TrimWorkingSet();
}

void TFrmMainForm::dragEnterEvent(QDragEnterEvent* Event) {
    if (Event->mimeData()->hasUrls())
        Event->acceptProposedAction();
}

void TFrmMainForm::dropEvent(QDropEvent* Event) {
    Event->acceptProposedAction();
    FilesDropped(DroppedFiles(*Event->mimeData()));
}

void TFrmMainForm::FilesDropped(const QStringList& Paths) {
    // Folders are listed on a worker, so that a large one never holds the
    // window; each drop waits for the listing of the one before it, so that
    // the rows keep the order of the drops.
    ArrivingDrops << Paths;
    ListArrivingFolders();
}

void TFrmMainForm::ListArrivingFolders() {
    if (ListingFolders || ArrivingDrops.isEmpty())
        return;
    ListingFolders = true;
    // The window is told through a guarded pointer: a test may close it
    // while a folder is still being listed. A close ends the listing, which
    // the program would otherwise wait for as it ends.
    QThreadPool::globalInstance()->start([Window = QPointer(this),
                                          Paths = std::exchange(ArrivingDrops, {}),
                                          Stop = FolderListing.get_token()] {
        QStringList Files, Notes;
        for (const QString& Path : Paths) {
            if (!QFileInfo(Path).isDir()) {
                Files << Path;
                continue;
            }
            try {
                const std::vector<std::string> Found = RealMediaFilesIn(ToEngineText(Path), Stop);
                for (const std::string& File : Found)
                    Files << FromEngineText(File);
                if (Found.empty())
                    Notes << "Folder has no RealMedia file to add: " + Path;
            } catch (const std::exception& Error) {
                Notes << "Folder not read: " + Path + " (" + FromEngineText(Error.what()) + ")";
            }
        }
        if (Stop.stop_requested())
            return;
        QMetaObject::invokeMethod(qApp, [Window, Files, Notes] {
            if (Window)
                Window->FolderListed(Files, Notes);
        });
    });
}

void TFrmMainForm::FolderListed(const QStringList& Files, const QStringList& Notes) {
    for (const QString& Note : Notes)
        AppFunc->TryWriteLog(ToEngineText(Note));
    ListingFolders = false;
    // Added once the drop is over, so that the program the files came from
    // does not wait for the probing.
    PendingDrops << Files;
    if (!AddingDrops)
        QTimer::singleShot(0, this, Handler(this, &TFrmMainForm::AddDroppedFiles));
    ListArrivingFolders();
}

void TFrmMainForm::AddDroppedFiles() {
    if (AddingDrops)
        return;
    const QScopedValueRollback Adding(AddingDrops, true);
    while (!PendingDrops.isEmpty())
        CommonLib->AddSourceFiles(*ui->dxTreeSourceFileInfo, std::exchange(PendingDrops, {}));
}

void TFrmMainForm::OpenFiles(const QStringList& Paths) {
    // No drop reaches the window during a dialog either.
    if (QApplication::activeModalWidget() || (Journal && Journal->Offering())) {
        QTimer::singleShot(DialogWaitMs, this, [this, Paths] { OpenFiles(Paths); });
        return;
    }
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (!Paths.isEmpty())
        FilesDropped(Paths);
}

void TFrmMainForm::DropListJournal() {
    if (Journal)
        Journal->Close();
}

void TFrmMainForm::btnOpenFileClick() {
    const QStringList Files = CommonLib->RunOpenDialog(true, CustomProc->ReadInitDir());
    FrmInitFileForm->SetFiles(Files);
    FrmInitFileForm->exec();
    if (!Files.isEmpty())
        CustomProc->SaveInitDir(Files.first());
}

void TFrmMainForm::EnableControls(bool Enabled) {
    centralWidget()->setEnabled(Enabled);
    if (Journal) // a batch begins or ends
        Journal->BatchChanged();
}

void TFrmMainForm::btnConvertClick() {
    CustomProc->Batch.ConvertFileList();
}

void TFrmMainForm::btnRemoveFileClick() {
    ui->dxTreeSourceFileInfo->RemoveSelection();
}

void TFrmMainForm::btnClearFileClick() {
    ui->dxTreeSourceFileInfo->ClearRows();
}

void TFrmMainForm::Label3Click() {
    OpenHelpPage(CommonLib->System, UnreadableFilesHelp(CommonLib->Folders));
}

void TFrmMainForm::actMinimizeExecute() {
    showMinimized();
}

void TFrmMainForm::btnOptionsClick() {
    frmOption->ShowOptions();
}

void TFrmMainForm::btnSelectOutputFolderClick() {
    ui->edtOutputFolder->setText(CommonLib->SelectOutputFolder(ui->edtOutputFolder->text()));
}

void TFrmMainForm::cbbOutputFiletypeChange() {
    CustomProc->ApplyProfile();
}

void TFrmMainForm::cbbProfileChange() {
    CustomProc->ApplyProfile();
}

void TFrmMainForm::ActSysHelpExecute() {
    OpenHelp(CommonLib->System, CommonLib->Folders);
}

void TFrmMainForm::ActSysHomePageExecute() {
    OpenHomePage(CommonLib->System, ProductInfo);
}

void TFrmMainForm::ActSysEmailExecute() {
    SendEMail(CommonLib->System, ProductInfo);
}

void TFrmMainForm::ActSysAboutExecute() {
    ShowAbout(qApp, ProductInfo, CommonLib->Folders);
}

void TFrmMainForm::actUpdateExecute() {
    StartUpdate(CommonLib->System, CommonLib->Folders);
}
