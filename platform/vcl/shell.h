#pragma once
// The help pages and the outside programs that lie beside the program. (Starting documents and
// programs, ExecuteFile, belongs to the program's own file routines in core/fmxutils.h.)
//
// Help pages are opened through one replaceable opener, so tests record the page that would have
// been opened instead of opening a browser.
#include <QString>

#include <functional>

// Opens an HTML help page (full path); returns false when the desktop could not. The default
// opens it with the desktop's browser; an empty function restores the default.
using HelpOpener = std::function<bool(const QString& page)>;
void SetHelpOpener(HelpOpener opener);

// The application's help file (set by the main window at creation), for example
// "<program folder>/orv5help.chm"; its pages are read from the folder "<program folder>/orv5help/".
void SetHelpFile(const QString& fileName);
QString HelpFile();
// The topic address "%s::/%s.htm" of a help file and topic.
QString HelpTopicAddress(const QString& helpFile, const QString& topic);
// Opens a topic address. The pages of a help file "<folder>/name.chm" lie as HTML files in the
// folder "<folder>/name/" beside it; the page "<folder>/name/<topic>.htm" is opened. A missing help
// folder or page shows an error box naming it and returns false.
bool OpenHelpAddress(const QString& address);
// Opens a topic of the application's help file.
bool ShowHelpTopic(const QString& topic);

// The full name of an outside program beside the program ("hrm.exe"); the name without ".exe" is
// accepted as well when only that file exists. Empty when neither exists.
QString OutsideProgram(const QString& name);
bool OutsideProgramExists(const QString& name);
