// Form.dll: the about box. Any program that runs a Qt application can load the
// library and call ShowAboutForm.
#include "ui_AboutForm.h"

#include <QApplication>

namespace {

QString Text(const char* Utf8) {
    return QString::fromUtf8(Utf8 ? Utf8 : "");
}

QString Link(const QString& Address, const QString& Shown) {
    return Address.isEmpty() ? QString()
                             : QString("<a href=\"%1\">%2</a>")
                                   .arg(Address.toHtmlEscaped(), Shown.toHtmlEscaped());
}

} // namespace

// Shows the about box modally over the application's active window and returns
// once it is closed. The texts are UTF-8; Application must be the running
// QApplication, otherwise nothing is shown.
extern "C" [[gnu::visibility("default")]] void
ShowAboutForm(void* Application, const char* CompanyName, const char* ProductName,
              const char* InfoText2, const char* Version, const char* HomePage, const char* EMail,
              const char* InfoText7, const char* /*ProgramFolder*/) {
    if (!Application || Application != QCoreApplication::instance() ||
        !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QDialog Dialog(QApplication::activeWindow());
    Ui::TAboutForm Form;
    Form.setupUi(&Dialog);
    const QString Product = Text(ProductName);
    Dialog.setWindowTitle("About " + Product);
    Form.lblProduct->setText(Product);
    Form.lblVersion->setText("Version " + Text(Version));
    Form.lblCompany->setText(Text(CompanyName));
    Form.lblInfo->setText(Text(InfoText2));
    Form.lblHomePage->setText(Link(Text(HomePage), Text(HomePage)));
    Form.lblEMail->setText(Text(EMail).isEmpty() ? QString()
                                                 : Link("mailto:" + Text(EMail), Text(EMail)));
    Form.lblCopyright->setText(Text(InfoText7));
    Dialog.exec();
}
