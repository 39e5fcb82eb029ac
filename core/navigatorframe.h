#pragma once
#include <memory>
#include <optional>
// The navigator: the frame of the main window's navigator panel while a database is open. Five
// latched view buttons choose one of five views over the athlete's units: the overview list with
// week rows, the period statistics' rows, a search by one field, the route search with the
// take-over of a route into the current unit, and the tree of training blocks. Choosing a unit in
// any view moves the data module's `daten` to it, which the entry window follows.
#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QProgressBar>
#include <QTreeWidget>

#include "controls/uiiecombobox2000.h"
#include "controls/uinavbar.h"
#include "controls/uiofficeedit2000.h"
#include "controls/xpbutton.h"
#include "core/navigatorlists.h"
#include "core/navigatorview.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/grids.h"

namespace Ui {
class TnavigatorFrm;
}

class TnavigatorFrm : public TFrame, public NavigatorView {
    Q_OBJECT
public:
    explicit TnavigatorFrm(QWidget* Owner = nullptr);
    ~TnavigatorFrm() override;

    std::unique_ptr<Ui::TnavigatorFrm> ui;
    TUiNavPanel* UiNavPanel1;  // title "Navigator"
    TUiNavPanel* UiNavPanel3;  // pops the view menu
    TUiNavPanel* UiNavPanel2;  // "?"
    TXPButton* XPButton1;  // "Übersicht"
    TXPButton* XPButton3;  // "Zeitraumstatistik"
    TXPButton* XPButton7;  // "Suchen"
    TXPButton* XPButton8;  // "Profile"
    TXPButton* XPButton9;  // "Trainingsblöcke"
    QWidget* pnl_uebersicht;
    QWidget* pnl_zeitraum;
    QWidget* pnl_suchen;
    QWidget* pnl_strecke;
    QWidget* pnl_trainblock;
    TStringGrid* StringGrid1;
    TDBGrid* DBGrid2;
    TUiIECombobox2000* ComboBox1;
    TUiOfficeEdit2000* UiOfficeEdit20001;
    QLabel* Label14;
    TDBGrid* DBGrid3;
    TXPButton* XPButton2;
    QLineEdit* MaskEdit2;
    TDBGrid* DBGrid4;
    TXPButton* SpeedButton3;
    TXPButton* SpeedButton4;
    QTreeWidget* TreeView1;
    QCheckBox* CheckBox1;
    TXPButton* XPButton5;
    TXPButton* XPButton4;
    TXPButton* XPButton6;
    QProgressBar* ProgressBar1;
    QMenu* PopupMenu1;

    // The id a tree node carries: a unit's dat_Id (positive), a block's negated trb_Id; the
    // archive node carries none (0).
    static int NodeId(const QTreeWidgetItem* node);
    // The archive node (the first top-level node after a fill); null before.
    QTreeWidgetItem* ArchiveNode() const { return archiveNode_; }
    // The picture the overview list draws for a sport, and the tree's image index of a sport.
    QPixmap SportPicture(int sportId) const { return gridPictures_.value(sportId); }
    int SportImageIndex(int sportId) const { return treeImages_.value(sportId, 0); }
    // The tree's images: 0 the default sport picture, 1 the block picture, then the sports.
    const QList<QIcon>& TreeImages() const { return images_; }

    // --- what the data module's rules ask (NavigatorView) --------------------------------------
    void Button1Click(QObject* Sender) override;
    void UnitChanged(int unitId) override;
    void selectCurrentUnit() override;
    void ChangeNavItem() override { changeNavItem(nullptr); }
    bool XPButton9Down() const override { return XPButton9->Down(); }

    // --- operations other windows call ---------------------------------------------------------
    // Shows the view of the latched button; a flat button as sender is latched first. The block
    // view refills its tree.
    void changeNavItem(QObject* Sender);
    void fillBlockTree();
    // Copies the current route into the current unit (a new one unless a unit is being edited).
    void SpeedButton3Click(QObject* Sender);

    // --- handlers -----------------------------------------------------------------------------
    void XPButton1Click(QObject* Sender);  // pops the view menu at the mouse
    void XPButton22Click(QObject* Sender); // "?"
    void StringGrid1DblClick(QObject* Sender);
    // Up and Down step over a week row to the next unit.
    void StringGrid1KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void StringGrid1SelectCell(QObject* Sender, int ACol, int ARow, bool& CanSelect);
    void StringGrid20DrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
    void DBGrid2DrawColumnCell(QObject* Sender, const QRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);
    void DBGrid2DblClick(QObject* Sender);
    void UiOfficeEdit20001Change(QObject* Sender);
    void XPButton2Click(QObject* Sender);
    void MaskEdit2Change(QObject* Sender);
    void SpeedButton4Click(QObject* Sender);
    void TreeView1DblClick(QObject* Sender);
    void XPButton5Click(QObject* Sender);
    void XPButton4Click(QObject* Sender);
    void XPButton6Click(QObject* Sender);
    void CheckBox1Click(QObject* Sender);
    void TreeView1Edited(QTreeWidgetItem* Node, const QString& S);
    // A drop is accepted only for a unit node dragged onto a block node.
    bool TreeView1DragOver(QTreeWidgetItem* Source, QTreeWidgetItem* Target) const;
    void TreeView1DragDrop(QTreeWidgetItem* Source, QTreeWidgetItem* Target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpControls();
    void buildPopupMenu();
    void setUpGrids();
    void setUpTree();
    void loadSportPictures();
    // The block node selected in the tree, null when none (or another node) is selected.
    QTreeWidgetItem* selectedBlockNode() const;
    QTreeWidgetItem* selectedUnitNode() const;
    // Moves daten to a unit; false when it is not there.
    bool gotoUnit(const QVariant& datId);
    // Refuses a block action while the unit is edited ("Die Einheit muß vorher gespeichert
    // werden."); true when the unit may be re-filed.
    bool unitSaved();
    void fileUnitInBlock(int datId, int blockId);

    QTreeWidgetItem* archiveNode_ = nullptr;
    QHash<int, QPixmap> gridPictures_;  // by spo_Id, read once per fill of the overview list
    QHash<int, int> treeImages_;        // spo_Id -> image index of the tree
    QList<QIcon> images_;
    bool filling_ = false;
    std::optional<QStringList> searchMetres_;  // the search list's distance extremes, until units change
    // The overview list's units; the grid asks it for the texts of the rows it reads or shows.
    TOverviewList overview_;
};

extern TnavigatorFrm* navigatorFrm;
