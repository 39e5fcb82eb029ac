#pragma once
// The Outbreaker import: the trips of the heart-rate monitor's Access database listed by date;
// "Import" writes the chosen trip as a new training unit with its heart-rate samples. The main
// window creates it, shows it modally and frees it; on showing it asks for the file.
#include <QLabel>
#include <QPushButton>

#include <functional>
#include <memory>
#include <optional>

#include "exchange/outbreakertrips.h"
#include "platform/db/clientdataset.h"
#include "platform/db/datasource.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

namespace Ui {
class ToutImport;
}

class ToutImport : public TForm {
    Q_OBJECT
public:
    explicit ToutImport(QWidget* Owner = nullptr);
    ~ToutImport() override;

    std::unique_ptr<Ui::ToutImport> ui;
    TDBGrid* DBGrid1;
    QPushButton* Button4;  // "Import"
    QPushButton* Button1;  // "Abbrechen"
    QPushButton* Button2;  // "Hilfe"
    TOpenDialog OpenDialog1;

    // The trips of the chosen file ("master"), one row per trip in the order of "TimeDate"; the
    // hidden field "TripRow" is the trip's row in trips().
    TClientDataSet master;
    TDataSource dsMaster;

    // Asks for the file and lists its trips; without a choice the grid stays empty.
    void FormShow(QObject* Sender);
    // Imports the selected trip and closes; a failed import is reported, nothing of it stays,
    // and the window stays open.
    void Button4Click(QObject* Sender);
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);

    // Lists the trips of a file; false (and the error shown) when it cannot be read.
    bool openFile(const QString& fileName);
    const std::optional<OutbreakerTrips>& trips() const { return trips_; }

    // Tests only: called after each written sample with its number; an exception thrown here
    // ends the import as a failure of the database would.
    static inline std::function<void(int)> testStepHook;

private:
    void updateButtons();

    std::optional<OutbreakerTrips> trips_;
    bool shown_ = false;
};

extern ToutImport* outImport;
