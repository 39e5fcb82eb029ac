#pragma once
// "Bodymaßindex": the body-mass index from weight and height, its rating shown as the result's
// colour, and a legend of the ratings beside it while the window is widened.
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class Tbody;
}

class Tbody : public TForm {
    Q_OBJECT
public:
    static constexpr int kNarrowWidth = 265;
    static constexpr int kWideWidth = 457;

    explicit Tbody(QWidget* Owner = nullptr);
    ~Tbody() override;

    std::unique_ptr<Ui::Tbody> ui;
    QLineEdit* Edit1;  // weight in kg
    QLineEdit* Edit2;  // height in cm
    QLineEdit* Edit3;  // the index
    QPushButton* Button1;
    QPushButton* BitBtn1;
    QPushButton* Leg;

    // The legend state of the whole program: a window always opens narrow, so after one was
    // closed widened the next one's first click keeps it narrow.
    static bool LegendShown();
    static void SetLegendShown(bool shown);

    void Button1Click(QObject* Sender);
    void BitBtn1Click(QObject* Sender);
    void LegClick(QObject* Sender);
};

extern Tbody* body;
