// Test main shared by every test program: a QApplication on the offscreen platform, so widget
// tests run without a display, and the program's folders pointed at a temporary place.
#include <gtest/gtest.h>

#include "platform/rtl/application.h"
#include "platform/vcl/testhooks.h"
#include "tests/support/testenv.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);  // routes handler exceptions to the error box, as the program does
    TestEnvironment env;  // config, user data and program folders in a temporary folder
    // An unscripted message box or modal form fails the test at once instead of waiting.
    ActivateScriptedDialogs([](const QString& m) { ADD_FAILURE() << m.toStdString(); });
    return RUN_ALL_TESTS();
}
