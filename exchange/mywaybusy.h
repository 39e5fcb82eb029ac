#pragma once
// The wait window of the hand-over to the route planner: shown modelessly while the planner
// runs; "Abbrechen" hides it, which ends the route manager's wait.
#include <QLabel>
#include <QPushButton>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class Tmywaybusydlg;
}

class Tmywaybusydlg : public TForm {
    Q_OBJECT
public:
    explicit Tmywaybusydlg(QWidget* Owner = nullptr);
    ~Tmywaybusydlg() override;

    std::unique_ptr<Ui::Tmywaybusydlg> ui;
    QLabel* Label1;
    QPushButton* Button1;  // "Abbrechen"

    void Button1Click(QObject* Sender);
};

extern Tmywaybusydlg* mywaybusydlg;
