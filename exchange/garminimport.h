#pragma once
// The run-file import of the GPS watch, step 1: the way the runs come. Only the XML file that
// the watch's PC software exports is offered; the chosen file's runs are listed in
// TselectForerunner for the user to tick.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

namespace Ui {
class Tgarminimp;
}

class Tgarminimp : public TForm {
    Q_OBJECT
public:
    explicit Tgarminimp(QWidget* Owner = nullptr);
    ~Tgarminimp() override;

    std::unique_ptr<Ui::Tgarminimp> ui;
    QRadioButton* RadioButton1;  // XML file
    QRadioButton* RadioButton2;  // direct download: hidden, without function
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Image3;
    QPushButton* Button2;  // "Weiter >"
    QPushButton* Button4;  // "Abbrechen"
    TOpenDialog OpenDialog1;

    void Button2Click(QObject* Sender);
    void Button4Click(QObject* Sender);
};

extern Tgarminimp* garminimp;
