#pragma once
// The route manager's hand-over to the route planner: the planner is started to draw a new route
// and answers with the id of the route it made, through the registry value "StreckenID" of its
// machine-wide key "\Software\ZED1" (this program writes "-1" first). While the planner runs, the
// wait window is shown; the registry is read every 250 ms. The wait ends when the planner writes
// an id of 0 or more (that route is imported with the markers the user picks), or when the user
// closes the wait window or the manager (nothing is imported).
#include <QString>

class QWidget;

// The planner's key below HKEY_LOCAL_MACHINE.
inline constexpr const char* kMyWayKey = "\\Software\\ZED1";
// How often the wait reads the planner's answer.
inline constexpr int kMyWayPollMs = 250;

// "StreckenID" read as an integer; an exception when the key or the value is missing or the
// value is no integer.
int MyWayAnsweredRouteId();

// Runs the hand-over with the planner's arguments ("-I:Orvalo.txt -S:-1"). The planner "myway.exe"
// is started only when it lies in the folder "DIZPath" names. Every failure (no key, no
// planner, an unreadable answer) shows "Ein Fehler beim Import ist aufgetreten." (65361).
void RunMyWayHandOver(const QString& params, QWidget* manager);
