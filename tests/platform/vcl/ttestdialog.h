#pragma once
// A small dialog built from a .ui file, as the program's forms are: OK and Cancel close it through
// their modal results, a third button's handler raises an error.
#include <QPushButton>

#include <functional>

#include "platform/vcl/forms.h"
#include "ui_ttestdialog.h"

class TTestDialog : public TForm {
    Q_OBJECT
public:
    explicit TTestDialog(QWidget* Owner = nullptr);

    Ui::TTestDialog ui;
    // Runs inside OKBtn's click handler, before the button's modal result applies.
    std::function<void()> okClick;
    int created = 0;

private:
    void FormCreate(QObject* Sender) { ++created; }
    void OKBtnClick(QObject* Sender);
    void FailBtnClick(QObject* Sender);
};
