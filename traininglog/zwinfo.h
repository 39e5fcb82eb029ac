#pragma once
// The split information: the panel TzwInfo (tool view "Zwischenzeit" beside the split page) with
// eight values of the split statistics, and the dialog TzwInfoDlg ("Weitere Daten") with all
// values in three sections and, on request, a comparison unit's values in a third column.
#include <QLabel>
#include <QPushButton>

#include <memory>

#include "controls/xpbutton.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/grids.h"
#include "traininglog/zwstatistik.h"

namespace Ui {
class TzwInfo;
class TzwInfoDlg;
}

// The 28 rows of the dialog's table: label (message table) and value text; section rows have
// no value. Minima that no row reached show "–".
struct ZwInfoRow {
    QString label;
    QString value;
    bool section = false;
};
QList<ZwInfoRow> ZwInfoRows(const TzwStatistik& st);

// The panel's eight value texts, in its order; distances in the sport's unit with its short name.
QStringList ZwInfoPanelValues(const TzwStatistik& st, int sportId);

class TzwInfo : public TFrame {
    Q_OBJECT
public:
    explicit TzwInfo(QWidget* Owner = nullptr);
    ~TzwInfo() override;

    std::unique_ptr<Ui::TzwInfo> ui;
    // The value labels, in the order of the captions.
    QList<QLabel*> values;
    TXPButton* XPButton1;  // "Weitere Daten"

    // Writes the values from zwStatistik; they show only while the split query holds rows.
    void getValues();
    void XPButton1Click(QObject* Sender);
};

extern TzwInfo* zwInfo;

class TzwInfoDlg : public TForm {
    Q_OBJECT
public:
    explicit TzwInfoDlg(QWidget* Owner = nullptr);
    ~TzwInfoDlg() override;

    std::unique_ptr<Ui::TzwInfoDlg> ui;
    TStringGrid* ValueListEditor1;
    QPushButton* Button1;    // "Vergleichseinheit laden"
    TXPButton* SpeedButton1;  // "Drucken"
    TXPButton* XPButton1;     // "Schließen"

    void FormCreate(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void SpeedButton1Click(QObject* Sender);
    void Button1Click(QObject* Sender);
    void ValueListEditor1DrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State);

    // Adds (or replaces) the third column with these values.
    void showComparison(const TzwStatistik& st);
};

extern TzwInfoDlg* zwInfoDlg;
