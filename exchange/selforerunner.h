#pragma once
// The list of the runs found in a run file: each run a row with a check box, its date, local
// start, length and duration, and (hidden) its XML text. "Ok" writes every ticked run as a
// training unit with its laps and track points; a run that fails is rolled back whole and
// named in one message at the end, the others are written.
#include <QLabel>
#include <QPushButton>

#include <functional>
#include <memory>

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
};

extern TselectForerunner* selectForerunner;
