#pragma once
// "Tempoflex-Training": repetitions that start slower than the target pace and finish faster.
// Three pages (5 × 1000 m, 4 × 2000 m, 3 × 3000 m), each filled from a target race time with the
// split of every segment and the running time within each repetition.
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <array>
#include <memory>
#include <vector>

#include "platform/vcl/forms.h"
#include "platform/vcl/maskedit.h"

namespace Ui {
class TTempoflex;
}

class TTempoflex : public TForm {
    Q_OBJECT
public:
    explicit TTempoflex(QWidget* Owner = nullptr);
    ~TTempoflex() override;

    std::unique_ptr<Ui::TTempoflex> ui;
    QTabWidget* PageControl1;
    std::array<TMaskEdit*, 3> MaskEdit{};  // the target time of each page
    QPushButton* BitBtn1;  // "Berechnen " of "5 X 1000"
    QPushButton* BitBtn3;  // of "4 X 2000"
    QPushButton* BitBtn4;  // of "3 X 3000"
    QPushButton* BitBtn2;  // "Schließen "
    QPushButton* BitBtn6;  // "Drucken"
    QPushButton* BitBtn5;  // "&Hilfe"

    // The display cells of a page: repetition r (0-based), row 0 "Split" / 1 "Zeit", column 0..4.
    QLabel* Cell(int page, int repetition, int row, int column) const;

    void BitBtn1Click(QObject* Sender);
    void BitBtn3Click(QObject* Sender);
    void BitBtn4Click(QObject* Sender);
    // Prints the window's picture on white, scaled to the page.
    void BitBtn6Click(QObject* Sender);
    void BitBtn5Click(QObject* Sender);

private:
    void buildTable(int page);
    void calculate(int page);
    std::array<std::vector<QLabel*>, 3> cells_;
};

extern TTempoflex* Tempoflex;
