#pragma once
#include <memory>
// The about box: the product title, the program's build and the maker's contact text, which the
// branding file "Custom/customabout.txt" beside the program replaces.
#include "platform/vcl/forms.h"
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace Ui {
class TAboutForm;
}

class TAboutForm : public TForm {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* Owner = nullptr);
    ~TAboutForm() override;

    std::unique_ptr<Ui::TAboutForm> ui;
    QLabel* Image1;
    QLabel* Label13;
    QLabel* Label6;
    QPlainTextEdit* Memo1;
    QPushButton* Button1;

    void FormCreate(QObject* Sender);
};

extern TAboutForm* AboutForm;
