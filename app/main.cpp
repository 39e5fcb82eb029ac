// The program's start-up sequence: the objects of the whole run are created by StartProgram,
// then the message loop runs until the main window closes.
#include "core/startup.h"
#include "platform/rtl/application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("orvalo5"));
    StartProgram(TApplication::arguments().mid(1));
    const int result = TApplication::exec();
    FinishProgram();
    return result;
}
