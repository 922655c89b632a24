#pragma once

#include "ListJournalKeeper.h"
#include "PreviewPlayer.h"
#include "WindowAnchors.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <stop_token>

class QKeyEvent;

namespace Ui {
class TFrmMainForm;
}

// The main window: borderless, drawn on its own background, and the place where
// every user action starts.
class TFrmMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TFrmMainForm(QWidget* Parent = nullptr);
    ~TFrmMainForm() override;

    // Enables or disables every control of the window while a batch runs; the
    // window itself and its own dialogs stay usable.
    void EnableControls(bool Enabled);
    // Files handed to the program from outside (its command line, the file
    // manager): the window comes to the front and adds them as if dropped.
    // Waits while a dialog is open, and until a list kept from an earlier
    // run has been offered back.
    void OpenFiles(const QStringList& Paths);
    // The program ends without a close, as when a finished batch powers the
    // computer off: the list is not kept for the next start.
    void DropListJournal();

    const std::unique_ptr<Ui::TFrmMainForm> ui;
    // The preview and its trim bar, built on the form's controls.
    const std::unique_ptr<TPreviewPlayer> Preview;

protected:
    void showEvent(QShowEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void FormShow();
    void tmrClearMemoryTimer();
    void FormKeyDown(const QKeyEvent& Key);
    bool LabelClicked(QObject* Watched, QEvent* Event);
    void actMinimizeExecute();
    void btnOpenFileClick();
    void btnConvertClick();
    void btnRemoveFileClick();
    void btnClearFileClick();
    void FilesDropped(const QStringList& Paths);
    void ListArrivingFolders();
    void FolderListed(const QStringList& Files, const QStringList& Notes);
    void AddDroppedFiles();
    void Label3Click();
    void btnOptionsClick();
    void btnSelectOutputFolderClick();
    void cbbOutputFiletypeChange();
    void cbbProfileChange();
    void ActSysHelpExecute();
    void ActSysHomePageExecute();
    void ActSysEmailExecute();
    void ActSysAboutExecute();
    void actUpdateExecute();

    TWindowAnchors Anchors;
    QTimer tmrClearMemory; // hands unused memory back every second
    bool Shown = false;
    QStringList ArrivingDrops; // waiting for their folders to be listed
    bool ListingFolders = false;
    std::stop_source FolderListing; // stopped when the window closes
    QStringList PendingDrops;       // waiting to be added
    bool AddingDrops = false;
    std::unique_ptr<TListJournalKeeper> Journal; // once the program's services exist
};
