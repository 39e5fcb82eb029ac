#pragma once
// "SQL Builder": a condition put together from the result's field names and operators, or taken
// from a list of ready-made conditions, handed to the period statistics' SQL page or saved as a
// condition file.
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>

#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TfmFilterFrm;
}

class TfmFilterFrm : public TForm {
    Q_OBJECT
public:
    explicit TfmFilterFrm(QWidget* Owner = nullptr);
    ~TfmFilterFrm() override;

    std::unique_ptr<Ui::TfmFilterFrm> ui;
    QComboBox* ComboBox1;   // "&Liste"
    QPlainTextEdit* Memo1;  // "&Bedingung"
    QListWidget* ListBox1;  // "&Felder"
    QListWidget* ListBox2;  // "&Operatoren"
    QPushButton* BitBtn2;   // "Zuweisen"
    QPushButton* BitBtn1;   // "Löschen"
    QToolButton* SpeedButton2;  // save
    QPushButton* BtnClose;
    TSaveDialog SaveDialog1;

    void FormCreate(QObject* Sender);
    void ListBox1DblClick(QObject* Sender);
    void ListBox2DblClick(QObject* Sender);
    // Return or Enter on either list adds its current item as a double click does; the key stays
    // in the list, so that it does not also press "Zuweisen".
    void ListBoxKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Memo1Change(QObject* Sender);
    void ComboBox1Change(QObject* Sender);
    void SBtnClearClick(QObject* Sender);
    void ApplyFilter(QObject* Sender);
    void SpeedButton2Click(QObject* Sender);

private:
    // The condition's lines with the first line "WHERE " that the period statistics expect.
    QStringList conditionLines() const;
};

extern TfmFilterFrm* fmFilterFrm;
