#pragma once
// Step 2 of the heart-rate import: one exercise file of the heart-rate monitor shown in three
// editable pages (the unit's values, the samples, the laps); "Fertig stellen" writes what the
// pages hold as a new training unit with its samples and laps, or, when the entry window shows
// its split page, attaches the samples and laps to the current unit. The front end creates one
// per file, shows it modally and frees it.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <memory>

#include "exchange/hrmimportwriter.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/grids.h"

namespace Ui {
class ThrmImport;
}
class HrmFile;

class ThrmImport : public TForm {
    Q_OBJECT
public:
    // The three flags preset "Einheit importieren", "Pulswerte importieren" and
    // "Zwischenzeiten importieren".
    ThrmImport(QWidget* Owner, bool importUnit, bool importSamples, bool importLaps, const QString& fileName);
    ~ThrmImport() override;

    std::unique_ptr<Ui::ThrmImport> ui;
    QComboBox* ComboBox1;
    QTabWidget* PageControl1;
    QLineEdit* Edit1;   // Datum
    QLineEdit* Edit2;   // Zeit
    QLineEdit* Edit3;   // Startzeit
    QLineEdit* Edit4;   // Intervall
    QLineEdit* Edit5;   // Maximalpuls
    QLineEdit* Edit6;   // Ruhepuls
    QLineEdit* Edit7;   // Gewicht
    QLineEdit* Edit8;   // Kalorien
    QLineEdit* Edit9;   // Kommentar
    QLineEdit* Edit10;  // Berechnete Gesamtmeter
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QLabel* Label8;   // sample count
    QLabel* Label9;   // mode
    QLabel* Label10;  // lap count
    TStringGrid* StringGrid1;  // samples
    TStringGrid* StringGrid2;  // laps
    QPushButton* Button2;  // "Fertig stellen"
    QPushButton* Button3;  // "Hilfe"
    QPushButton* Button4;  // "Abbrechen"

    // Reads the exercise file. A file that cannot be read (empty, no exercise file, a value that
    // does not convert) is reported with the reader's message, the file's name and its line, and
    // false is returned: the front end then does not show the window.
    bool ReadFile();
    // Fills the pages from the file (bound to OnShow), reading it first when ReadFile was not
    // called; a file that cannot be read is reported and the window closes without writing.
    void Button1Click(QObject* Sender);
    // Writes and closes; a refused write is reported and the window stays open for correction.
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button4Click(QObject* Sender);

    // What the pages hold now, as the writer reads it.
    HrmImportInput input() const;
    const QString& fileName() const { return fileName_; }

private:
    void fillUnitPage(const HrmFile& hrm);
    void fillLaps(const HrmFile& hrm);
    void fillSamples(const HrmFile& hrm);
    void fillRoutes();

    bool importUnit_;
    bool importSamples_;
    bool importLaps_;
    QString fileName_;
    std::unique_ptr<HrmFile> hrm_;  // the file as read, until the pages are filled
    int heightColumn_ = -1;
    int cadenceColumn_ = -1;
    int splitColumn_ = -1;
    int speedColumn_ = -1;
    int interval_ = 0;
    bool filled_ = false;
};

extern ThrmImport* hrmImport;
