#pragma once
// The equipment tool: the tool view "Equipment" beside the unit page, a check list of the items
// in current use, ticked where the current unit uses them, with "Speichern" and "Verwerfen".
// Also the check-list helpers that the equipment dialog shares.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <memory>

#include "core/equipmenttoolview.h"
#include "platform/vcl/forms.h"
#include "traininglog/equipmentlinks.h"

namespace Ui {
class TtoolEqFrm;
}

// Fills a check list with the lines: a checkable item per line, its key in Qt::UserRole.
void FillEquipmentCheckList(QListWidget* list, const QList<TEquipmentLine>& lines);
// The list's lines as they are ticked now; items without a key (hint lines) come with key 0.
QList<TEquipmentLine> EquipmentCheckListLines(const QListWidget* list);

class TtoolEqFrm : public TFrame, public EquipmentToolView {
    Q_OBJECT
public:
    explicit TtoolEqFrm(QWidget* Owner = nullptr);
    ~TtoolEqFrm() override;

    std::unique_ptr<Ui::TtoolEqFrm> ui;
    QLabel* Label1;
    QListWidget* CheckListBox1;
    QPushButton* Button1;  // "Speichern"
    QPushButton* Button2;  // "Verwerfen"

    // Rebuilds the list for the current unit.
    void FormShow(QObject* Sender) override;
    // "Speichern": writes the links of the listed items.
    void Button1Click(QObject* Sender);
    // "Verwerfen": shows the stored links again.
    void Button2Click(QObject* Sender);
};

extern TtoolEqFrm* toolEqFrm;
