#pragma once
// The program's start-up: the language switch, the long time format, the splash window and the
// objects that live for the whole process, created in their fixed order with the splash gauge
// stepping after each from the second on. app/main.cpp runs it and then the message loop.
#include <QString>
#include <QStringList>

// The program's machine-wide registry key (under HKEY_LOCAL_MACHINE).
inline constexpr const char* kProgramRegistryKey = "SOFTWARE\\Bellquist\\Orvalo 5\\5.0.0.0";
// The per-user key of the chosen interface language (under HKEY_CURRENT_USER): a value named by
// the program's full path holds the language module's abbreviation ("ENG"). The options dialog
// writes it; it takes effect at the next start.
inline constexpr const char* kLocaleRegistryKey = "Software\\Orvalo 5\\Locales";

// The parameters of the run (without the program's name), as the start-up received them.
QStringList ProgramParams();
void SetProgramParams(const QStringList& params);
int ParamCount();
QString ParamStr(int index);  // 1-based; "" outside the list

// True for exactly two parameters whose second is exactly "en": the English module replaces
// the German texts, and the first parameter is not opened.
bool EnglishRequested(const QStringList& params);
// True when this run was switched to English by its command line.
bool StartedInEnglish();

// The per-user language setting for this program, "" when there is none.
QString StoredLanguageCode();
// Loads the language module for an abbreviation: the three-letter one first, then its first two
// letters ("ENG", then "EN"), and makes it the source of every text. False when none is found:
// the program stays German, and nothing is reported.
bool LoadLocaleResourceModule(const QString& abbreviation);

// The objects the start-up creates, in their order (only those this program has).
QStringList StartupObjectNames();

// Runs the program block up to the message loop: language, time format, splash window, every
// start-up object, and shows the main window (whose first show opens the command-line or
// QuickLoad database and frees the splash window).
void StartProgram(const QStringList& params);
// Frees the start-up objects again, in reverse order (end of the program and of tests).
void FinishProgram();
