#pragma once
// The restore wizard "Datenbank rücksichern": extracts every file of a backup cabinet into a
// folder the user picks. It only extracts: the user opens the restored database afterwards like
// any other. The main window's action "Datenbank rücksichern" and the start page's restore task
// show it modally.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TdbRestore;
}

class TdbRestore : public TForm {
    Q_OBJECT
public:
    explicit TdbRestore(QWidget* Owner = nullptr);
    ~TdbRestore() override;

    std::unique_ptr<Ui::TdbRestore> ui;

    // --- components ---------------------------------------------------------------------------
    QLabel* Image1;
    QLineEdit* Edit1;      // the cabinet (read-only)
    QPushButton* Button1;  // "Durchsuchen" for the cabinet
    QLineEdit* Edit2;      // the target folder (read-only)
    QPushButton* Button5;  // "Durchsuchen" for the folder
    QPushButton* Button2;  // "Rücksichern"
    QPushButton* Button4;  // "Abbrechen"
    QPushButton* Button3;  // "Hilfe"
    TOpenDialog OpenDialog1;

    // True once a cabinet was extracted completely.
    bool Restored() const { return restored_; }

    // --- handlers -----------------------------------------------------------------------------
    void Button1Click(QObject* Sender);
    void Button5Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button4Click(QObject* Sender);

private:
    bool restored_ = false;
};

extern TdbRestore* dbRestore;
