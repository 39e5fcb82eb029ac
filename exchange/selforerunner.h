#pragma once
// The list of the runs found in a run file: each run a row with a check box, its date, local
// start, length and duration, and (hidden) its XML text. "Ok" writes every ticked run as a
// training unit with its laps and track points. A run holding a value its unit cannot hold is
// refused before anything is written, a run that fails while it is written is rolled back
// whole; the others are written, and one message at the end names the runs imported and the
// runs refused with the reason and line of each.
#include <QLabel>
#include <QPushButton>

#include <functional>
#include <memory>

#include "exchange/garminrunfile.h"
#include "grid/display/extcgrid.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TselectForerunner;
}

class TselectForerunner : public TForm {
    Q_OBJECT
public:
    explicit TselectForerunner(QWidget* Owner = nullptr);
    ~TselectForerunner() override;

    std::unique_ptr<Ui::TselectForerunner> ui;
    QLabel* Label1;
    TExtColumnGrid* ExtColumnGrid1;
    QPushButton* Button1;  // "Ok"
    QPushButton* Button2;  // "Abbrechen"

    // Reads the file and lists its runs; false (with the error shown, nothing listed) when the
    // file is no readable run file.
    bool LoadFile(const QString& fileName);
    // Imports every ticked run.
    void Button1Click(QObject* Sender);

    // Called for each run inside its transaction, with its list row, before its rows are
    // written; an exception thrown here fails that run.
    std::function<void(int row)> OnRunWriting;

private:
    QString fileName_;
    QList<GarminRun> runs_;  // the runs as read from the file; list row r holds runs_[r - 1]
};

extern TselectForerunner* selectForerunner;
