#pragma once
// The import wizard, steps 2 and 3: the table of the source and the mapping of its fields onto
// the target's fields, which can be saved to and loaded from a mapping file (".imp"). "Fertig
// stellen" copies every row of the table in one transaction; a failure leaves nothing behind and
// names the source row and field.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <functional>
#include <memory>

#include "exchange/tableimport.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

class TDataSet;

namespace Ui {
class Teximp2;
}

class Teximp2 : public TForm {
    Q_OBJECT
public:
    Teximp2(QWidget* Owner, bool excel, TDataSet& target, const QString& fileName,
            std::unique_ptr<TableSource> source);
    ~Teximp2() override;

    std::unique_ptr<Ui::Teximp2> ui;
    QComboBox* ComboBox1;   // "Tabelle:"
    QListWidget* ListBox1;  // "Quelle:"
    QListWidget* ListBox2;  // "Ziel:"
    QListWidget* ListBox3;  // the mapping, one line per pair
    QPushButton* Button1;   // "Fertig stellen"
    QPushButton* Button2;   // "Zuordnen"
    QPushButton* Button3;   // "Abbrechen"
    QPushButton* Button4;   // "Hilfe"
    QToolButton* SpeedButton13;  // "Zuordnung laden"
    QToolButton* SpeedButton15;  // "Zuordnungspeichern"
    TOpenDialog OpenDialog1;
    TSaveDialog SaveDialog1;

    const QString& FileName() const { return fileName_; }
    bool Excel() const { return excel_; }
    const TImportMapping& Mapping() const { return mapping_; }

    void ComboBox1Change(QObject* Sender);
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button4Click(QObject* Sender);
    void SpeedButton13Click(QObject* Sender);
    void SpeedButton15Click(QObject* Sender);

    // Tests only: called after each row written with the number of rows written; an exception
    // thrown here fails the import as a failing row would.
    static inline std::function<void(int)> testRowHook;

private:
    void showMapping();

    bool excel_;
    TDataSet& target_;
    QString fileName_;
    std::unique_ptr<TableSource> source_;
    TImportMapping mapping_;
};
