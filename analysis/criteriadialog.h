#pragma once
// "SQL Dialog": a list of criteria (field, operator, value) that becomes the condition of the
// period statistics' SQL page on OK.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class TCriteriaDlg;
}

class TCriteriaDlg : public TForm {
    Q_OBJECT
public:
    explicit TCriteriaDlg(QWidget* Owner = nullptr);
    ~TCriteriaDlg() override;

    std::unique_ptr<Ui::TCriteriaDlg> ui;
    QListWidget* ListBox1;
    QPushButton* Button1;      // "Entfernen"
    QToolButton* SpeedButton1; // "Feld"
    QMenu* PopupMenu1;         // the fields of the period statistics' result
    QLineEdit* Edit1;
    QComboBox* ComboBox1;      // operator
    QLineEdit* Edit2;
    QPushButton* Button2;      // "Hinzufügen"
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // The criterion lines of the list, in order.
    QStringList Criteria() const;

    void FormCreate(QObject* Sender);
    void SpeedButton1Click(QObject* Sender);
    void FieldItemClick(QObject* Sender);
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
};

extern TCriteriaDlg* CriteriaDlg;
