#include "Splash.h"

#include "FlashForm.h"
#include "Globals.h"
#include "JpegPicture.h"
#include "ProductInfo.h"

void TFlashSplash::ShowSplash(QWidget& Owner, const std::function<void()>& Work) {
    const std::optional<TRgbPicture> Picture =
        DecodeJpeg(LoadSplashPicture(ApplicationServices.Folders));
    if (!Picture) {
        Work();
        return;
    }
    const QImage Image(Picture->Pixels.data(), Picture->Width, Picture->Height, Picture->Width * 3,
                       QImage::Format_RGB888);
    TFrmFlashForm FrmFlashForm(&Owner, Image, Work);
    FrmFlashForm.exec();
}
