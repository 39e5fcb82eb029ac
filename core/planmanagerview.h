#pragma once
// What the plan rules ask of the training plan manager (TTrainForm).
#include <QString>

class PlanManagerView {
public:
    virtual ~PlanManagerView() = default;
    // The plan's totals: Edit1 (distance in the statistics unit), Label4 (that unit's caption),
    // Edit2 (time); the total metres are kept by the manager for its own use.
    virtual void setEdit1(const QString& text) = 0;
    virtual void setEdit2(const QString& text) = 0;
    virtual void setLabel4(const QString& text) = 0;
    virtual void setTotalMeters(qint64 meters) = 0;
    // Checks the first item of PopupMenu6.
    virtual void checkPopupMenu6First() = 0;
    // XPButton15 ("Übernehmen") and XPButton16 ("Bearbeiten abbrechen").
    virtual void setPostButtonsEnabled(bool enabled) = 0;
    // XPButton20 and XPButton21: cancel and post the edit of a plan unit.
    virtual void setUnitButtonsEnabled(bool enabled) = 0;
};
