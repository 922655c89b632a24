#include "FlashForm.h"

#include "EventHandlers.h"
#include "ui_FlashForm.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>

namespace {
constexpr int WorkDelayMs = 250;
constexpr int SecondsShown = 2;
} // namespace

TFrmFlashForm::TFrmFlashForm(QWidget* Owner, const QImage& Picture, std::function<void()> Work)
    : QDialog(Owner, Qt::SplashScreen | Qt::FramelessWindowHint),
      ui(std::make_unique<Ui::TFrmFlashForm>()), Work(std::move(Work)) {
    ui->setupUi(this);
    ui->ImgFlash->setPixmap(QPixmap::fromImage(Picture));
    ui->ImgFlash->setGeometry(QRect(QPoint(0, 0), Picture.size()));
    setFixedSize(Picture.size());
    if (const QScreen* Screen = QGuiApplication::primaryScreen())
        move(Screen->availableGeometry().center() - rect().center());
    Timer1.setSingleShot(true);
    Timer1.setInterval(WorkDelayMs);
    Timer2.setInterval(1000);
    Timer2.setTimerType(Qt::PreciseTimer); // two whole seconds at least
    connect(&Timer1, &QTimer::timeout, this, Handler(this, &TFrmFlashForm::Timer1Timer));
    connect(&Timer2, &QTimer::timeout, this, Handler(this, &TFrmFlashForm::Timer2Timer));
}

TFrmFlashForm::~TFrmFlashForm() = default;

void TFrmFlashForm::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    FormShow();
}

void TFrmFlashForm::FormShow() {
    Ticks = 0;
    Timer1.start();
    Timer2.start();
}

void TFrmFlashForm::Timer1Timer() {
    // Done also when the work fails: its error is shown, and the splash must go.
    const QScopeGuard Done([this] {
        WorkDone = true;
        CloseWhenDone();
    });
    Work();
}

void TFrmFlashForm::reject() {
    // Esc: the start-up work must not be skipped.
}

void TFrmFlashForm::closeEvent(QCloseEvent* Event) {
    if (!(WorkDone && Ticks >= SecondsShown))
        Event->ignore(); // a close request before the start-up work is done
}

void TFrmFlashForm::Timer2Timer() {
    ++Ticks;
    CloseWhenDone();
}

void TFrmFlashForm::CloseWhenDone() {
    if (WorkDone && Ticks >= SecondsShown) {
        Timer2.stop();
        accept();
    }
}
