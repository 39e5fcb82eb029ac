#pragma once
// The import wizard, step 1: the source file. The command that opens it sets the target
// (`daten` for units, `zeit` for split rows of the current unit) and whether the source is a
// workbook or an Access database; "Weiter ->" opens the file and goes on to the table and the
// field mapping (Teximp2).
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

class TDataSet;

namespace Ui {
class Teximp;
}

class Teximp : public TForm {
    Q_OBJECT
public:
    explicit Teximp(QWidget* Owner = nullptr);
    ~Teximp() override;

    std::unique_ptr<Ui::Teximp> ui;
    QLineEdit* Edit1;
    QPushButton* Button1;  // "Weiter ->"
    QPushButton* Button2;  // "Durchsuchen"
    QPushButton* Button3;  // "Abbrechen"
    QPushButton* Button4;  // "Hilfe"
    TOpenDialog OpenDialog1;

    TDataSet* target = nullptr;
    bool excel = true;

    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button4Click(QObject* Sender);
};

extern Teximp* eximp;

// Opens the wizard for a target and a kind of source, as the four import commands do.
void ShowImportWizard(QWidget* Owner, TDataSet& target, bool excel);
