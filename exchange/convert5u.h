#pragma once
// The conversion wizard: the user picks the previous version's user file (its folder holds the
// old Paradox tables) and the athlete database to convert into, an existing one or a new one
// made from the empty template, and starts the conversion. The old folder is only read.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "exchange/convertdbserver.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

namespace Ui {
class Tconvert5;
}

class Tconvert5 : public TForm {
    Q_OBJECT
public:
    explicit Tconvert5(QWidget* Owner = nullptr);
    ~Tconvert5() override;

    std::unique_ptr<Ui::Tconvert5> ui;
    QLineEdit* Edit1;  // the old user file
    QLineEdit* Edit2;  // the target database
    QLabel* Label6;    // user name
    QLabel* Label9;    // name
    QLabel* Label10;   // birth date
    QCheckBox* CheckBox1;
    QPushButton* Button1;  // "Durchsuchen" (old user file)
    QPushButton* Button2;  // "Konvertieren"
    QPushButton* Button3;  // "Hilfe"
    QPushButton* Button4;  // "Abbrechen"
    QPushButton* Button5;  // "Durchsuchen" (target)
    QPushButton* Button6;  // "Neuer Benutzer"
    TOpenDialog OpenDialog1;
    TSaveDialog SaveDialog1;  // "Neuer Benutzer"

    void FormCreate(QObject* Sender);
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button4Click(QObject* Sender);
    void Button5Click(QObject* Sender);
    void Button6Click(QObject* Sender);

    // True when the chosen old tables are of version 3 or 3.5.
    bool NeedsUpgrade() const { return needsUpgrade_; }

private:
    // "Konvertieren" is enabled only with a readable old folder and a target chosen.
    void updateConvertButton();

    bool oldFolderValid_ = false;
    bool needsUpgrade_ = false;
};

extern Tconvert5* convert5;
