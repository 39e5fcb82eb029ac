#pragma once
// "Schwellentempo": the split times at the anaerobic threshold over 200 m to 1500 m for a 5000 m
// race time, looked up in the athlete database's table "Schwellentempo".
#include <QLabel>
#include <QPushButton>

#include <array>
#include <memory>

#include "platform/vcl/forms.h"
#include "platform/vcl/maskedit.h"

namespace Ui {
class Tschwtempo;
}

class Tschwtempo : public TForm {
    Q_OBJECT
public:
    explicit Tschwtempo(QWidget* Owner = nullptr);
    ~Tschwtempo() override;

    std::unique_ptr<Ui::Tschwtempo> ui;
    TMaskEdit* MaskEdit1;
    QPushButton* Button1;
    QPushButton* Button2;
    std::array<QLabel*, 6> Result{};  // 200m, 400m, 600m, 800m, 1000m, 1500m

    // The settings' 5000 m time into the field.
    void FormShow(QObject* Sender);
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
};

extern Tschwtempo* schwtempo;
