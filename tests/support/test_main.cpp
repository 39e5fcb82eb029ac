// Test main shared by every test program: a QApplication on the offscreen platform, so widget
// tests run without a display, and the program's folders pointed at a temporary place.
#include <gtest/gtest.h>

#include "platform/rtl/application.h"

#include "tests/support/testenv.h"

// The UI layer's scripted dialogs (platform/vcl/testhooks.h): weak, because test programs that do
// not link the UI layer have no modal steps to script.
void ActivateScriptedDialogs(void (*onUnanswered)(const QString& message)) __attribute__((weak));

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);  // routes handler exceptions to the error box, as the program does
    TestEnvironment env;  // config, user data and program folders in a temporary folder
    if (ActivateScriptedDialogs)  // an unscripted message box or modal form fails the test at once
        ActivateScriptedDialogs([](const QString& m) { ADD_FAILURE() << m.toStdString(); });
    return RUN_ALL_TESTS();
}
