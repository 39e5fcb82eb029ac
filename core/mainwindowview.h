#pragma once
// What the rules ask of the main window (TMainForm).
#include <QString>

class QObject;

class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    // The tool view shown beside the unit page: "Equipment", "QuickStat", "None" for an empty
    // pane, "" for any other view.
    virtual QString getTool() const = 0;
    // The navigator view shown: "Navigator", "Start", "None" for an empty panel, "" otherwise.
    virtual QString getNavigator() const = 0;
    // The tool panel's button: expands the tool panel to its full height.
    virtual void XPButton1Click(QObject* Sender) = 0;
};
