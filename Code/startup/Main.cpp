#include "Unit_Convert.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication Application(argc, argv);
    QApplication::setApplicationName("Korvalin");
    TFrmMainForm FrmMainForm;
    FrmMainForm.show();
    return QApplication::exec();
}
