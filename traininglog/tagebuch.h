#pragma once
// The diary window "Tagebuch": the training units of the data module's current unit list as a
// column of day-view panels in a panel grid, one panel per unit; moving between panels moves the
// current unit. Beside it a navigation-pane column with headers and a tree the window leaves
// empty. The entry window opens it modally; the diary texts themselves are edited in the
// week-by-day frame.
#include <QCheckBox>
#include <QLabel>
#include <QTreeWidget>

#include <memory>

#include "controls/xpbutton.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/shape.h"
#include "traininglog/orvdbgrid.h"

namespace Ui {
class Tdiary;
}

class Tdiary : public TForm {
    Q_OBJECT
public:
    // The height of one unit's panel: the grid shows as many as the right column has room for.
    static constexpr int kPanelHeight = 46;

    explicit Tdiary(QWidget* Owner = nullptr);
    ~Tdiary() override;

    std::unique_ptr<Ui::Tdiary> ui;

    // --- components ---------------------------------------------------------------------------
    QWidget* Panel2;  // left column
    QTreeWidget* TreeView1;
    QCheckBox* CheckBox1;
    QWidget* Panel7;  // right column
    QWidget* Panel6;  // "Tagesansicht"
    TXPButton* XPButton1;
    TXPButton* XPButton2;
    QWidget* Panel1;
    QLabel* Label1;
    TorvDBCtrlGrid* DBCtrlGrid1;
    TDBText* DBText1;  // Startzeit
    QLabel* Label7;
    QLabel* Label8;
    TShape* Shape1;
    TShape* Shape2;
    QLabel* Image7;

    // --- handlers -----------------------------------------------------------------------------
    void FormShow(QObject* Sender);
    // As many 46-pixel panels as the right column is high (the grid keeps at least one).
    void FormResize(QObject* Sender);
    // Before each panel is painted: the third panel's mark is silver, the others' maroon; the
    // current unit's start time is white, the others' black.
    void DBCtrlGrid1PaintPanel(TorvDBCtrlGrid* DBCtrlGrid, int Index);
    // Ctrl+Delete on the grid deletes the current unit only after the user confirmed it.
    void DBCtrlGrid1KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);

private:
    void setUpHeaders();
};

extern Tdiary* diary;
