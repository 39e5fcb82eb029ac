#pragma once
// "Analyse auswählen": the user's own analysis workbooks, every file of the folder "DB/Pivot" in
// the user's data folder, one of which the main window opens (TMainForm::OpenPivot).
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class TselectPivot;
}

class TselectPivot : public TForm {
    Q_OBJECT
public:
    explicit TselectPivot(QWidget* Owner = nullptr);
    ~TselectPivot() override;

    std::unique_ptr<Ui::TselectPivot> ui;
    QLabel* Label1;
    QListWidget* ShellListView1;  // the folder's files by name, no folders
    QPushButton* Button1;         // "Ok"
    QPushButton* Button2;         // "Abbrechen"

    // Creates the folder when it does not exist and lists its files.
    void FormCreate(QObject* Sender);
    // Opens the selected workbook; the dialog then closes (also without a selection).
    void Button1Click(QObject* Sender);

    // The folder of the user's analysis workbooks.
    static QString Folder();
};

extern TselectPivot* selectPivot;
