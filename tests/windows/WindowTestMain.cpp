// Window tests run on the real windows inside the program's own application
// object, on the offscreen platform unless another one is asked for.
#include "KorvalinApplication.h"

#include <gmock/gmock.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TKorvalinApplication Application(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
