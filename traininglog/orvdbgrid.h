#pragma once
// TorvDBCtrlGrid: a data-aware grid of panels, one per record of a data source, each carrying the
// same controls. Only one panel is real: the live panel, a TorvDBCtrlPanel that sits on the
// current record and holds the child controls. Every other panel is a picture of the live panel,
// rendered into a shared off-screen pixmap while the fields read that panel's record and the
// controls show it. The grid binds every data-aware control placed on the live panel to its own
// data source.
//
// Besides the raised edge it can frame each panel with one flat line in BorderColor (gbFlat:
// stacked panels share one line), paints the current panel in SelectedColor, and lets its owner
// adjust the live panel's controls before each panel is painted (OnPaintPanel).
//
// Keys: the arrows move between panels (Down on the last record appends when AllowInsert),
// Page Up/Down scroll a page, Home/End go to the first/last record, Insert inserts (Ctrl+Insert
// appends), Ctrl+Delete deletes when AllowDelete, Escape cancels an edit, Return and F2 switch
// between the grid and the controls of the live panel, Tab moves between those controls and on to
// the next panel.
#include "platform/db/datasource.h"
#include "platform/rtl/graphics.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QPainter;
class QScrollBar;
class TorvDBCtrlGrid;

enum TorvDBCtrlGridOrientation { goVertical, goHorizontal };
enum TorvDBCtrlGridBorder { gbNone, gbRaised, gbFlat };
// The grid's commands, in the runtime's order.
enum TorvDBCtrlGridKey {
    gkNull,
    gkEditMode,
    gkPriorTab,
    gkNextTab,
    gkLeft,
    gkRight,
    gkUp,
    gkDown,
    gkScrollUp,
    gkScrollDown,
    gkPageUp,
    gkPageDown,
    gkHome,
    gkEnd,
    gkInsert,
    gkAppend,
    gkDelete,
    gkCancel
};

using TorvPaintPanelEvent = std::function<void(TorvDBCtrlGrid* DBCtrlGrid, int Index)>;

// The grid's data link: every change of the dataset's window reaches the grid.
class TorvDBCtrlGridLink : public TDataLink {
public:
    explicit TorvDBCtrlGridLink(TorvDBCtrlGrid* grid) : grid_(grid) {}
    // Lets the window of records follow the current record now, as a dataset's record buffer
    // does while its controls are disabled and no event reaches the link.
    void Follow() { adjustWindow(); }

protected:
    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled(int distance) override;

private:
    TorvDBCtrlGrid* grid_;
};

// The live panel: the one real panel with the child controls. Clicks on its own surface go to
// the grid.
class TorvDBCtrlPanel : public QWidget {
    Q_OBJECT
public:
    explicit TorvDBCtrlPanel(TorvDBCtrlGrid* grid);
    TorvDBCtrlGrid* Grid() const { return grid_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TorvDBCtrlGrid* grid_;
};

class TorvDBCtrlGrid : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(int PanelWidth READ PanelWidth WRITE SetPanelWidth)
    Q_PROPERTY(int PanelHeight READ PanelHeight WRITE SetPanelHeight)
    Q_PROPERTY(int Orientation READ OrientationNumber WRITE SetOrientationNumber)
    Q_PROPERTY(int PanelBorder READ PanelBorderNumber WRITE SetPanelBorderNumber)
    Q_PROPERTY(uint BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(uint SelectedColor READ SelectedColor WRITE SetSelectedColor)
    Q_PROPERTY(bool AllowInsert READ AllowInsert WRITE SetAllowInsert)
    Q_PROPERTY(bool AllowDelete READ AllowDelete WRITE SetAllowDelete)
    Q_PROPERTY(bool ShowFocus READ ShowFocus WRITE SetShowFocus)
public:
    explicit TorvDBCtrlGrid(QWidget* parent = nullptr);
    ~TorvDBCtrlGrid() override;

    // Moves the controls a form file placed on the grid onto the live panel and binds them (the
    // runtime does this when it reads the form).
    void Loaded();

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* value);
    TorvDBCtrlGridLink& DataLink() { return link_; }
    TorvDBCtrlPanel* Panel() const { return panel_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }

    // Panels across and down (1..100), and their size in pixels (1..65535).
    int ColCount() const { return colCount_; }
    void SetColCount(int value);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int value);
    int PanelWidth() const { return panelWidth_; }
    void SetPanelWidth(int value);
    int PanelHeight() const { return panelHeight_; }
    void SetPanelHeight(int value);
    TorvDBCtrlGridOrientation Orientation() const { return orientation_; }
    void SetOrientation(TorvDBCtrlGridOrientation value);
    int OrientationNumber() const { return int(orientation_); }
    void SetOrientationNumber(int value) { SetOrientation(TorvDBCtrlGridOrientation(value)); }
    TorvDBCtrlGridBorder PanelBorder() const { return panelBorder_; }
    void SetPanelBorder(TorvDBCtrlGridBorder value);
    int PanelBorderNumber() const { return int(panelBorder_); }
    void SetPanelBorderNumber(int value) { SetPanelBorder(TorvDBCtrlGridBorder(value)); }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Follows Color until it is set to another colour.
    TColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TColor value);
    bool AllowInsert() const { return allowInsert_; }
    void SetAllowInsert(bool value) { allowInsert_ = value; }
    bool AllowDelete() const { return allowDelete_; }
    void SetAllowDelete(bool value) { allowDelete_ = value; }
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value);

    // The live panel's place among the panels; writing it moves the dataset to that panel's
    // record.
    int PanelIndex() const { return panelIndex_; }
    void SetPanelIndex(int value);
    // Panels that hold records: at least 1 while the dataset is open, 0 while it is not.
    int PanelCount() const { return panelCount_; }
    // True while a control of the live panel, not the grid itself, has the focus.
    bool EditMode() const;
    void SetEditMode(bool value);
    // The painter of the panel being painted, for OnPaintPanel (null outside it).
    QPainter* Canvas() const { return canvas_; }
    // The rectangle of panel i in the grid.
    QRect GetPanelBounds(int index) const;
    // Runs a grid command as the keyboard, the mouse and the scroll bar do.
    void DoKey(TorvDBCtrlGridKey key);

    // Before each panel is painted, with the fields reading that panel's record: the owner may
    // adjust the live panel's controls for it.
    TorvPaintPanelEvent OnPaintPanel;
    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender)> OnDblClick;
    // Every key that goes down on the grid or on a control of the live panel, before the grid
    // acts on it; setting Key to 0 swallows it.
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;

    QSize sizeHint() const override;

protected:
    virtual void PaintPanel(int Index);
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    friend class TorvDBCtrlGridLink;
    friend class TorvDBCtrlPanel;

    void AdjustSize();
    void Reset();
    void DataSetChanged(bool reset);
    void UpdateScrollBar();
    void UpdateDataLinks(QWidget* control, bool inserting);
    void Scroll(int inc, bool scrollLock);
    void SelectNext(bool goForward);
    void DrawPanel(QPainter& p, QPixmap& buffer, int index);
    void DrawPanelBackground(QPainter& p, const QRect& r, bool erase, bool selected);
    // The live panel paints itself (its own surface, OnPaintPanel, the focus frame).
    void paintLivePanel(QPainter& p);
    // The data-aware controls of the live panel read the record the fields point at now.
    void refreshControls();
    // Keys of the live panel's controls: true when the grid consumed the key.
    bool childKey(QWidget* child, QKeyEvent* e);
    void watch(QObject* o);
    int scrollBarExtent() const;
    int moveBy(int distance);
    // The panel under a point of the grid, -1 outside the panels.
    int panelAt(const QPoint& pos) const;
    QList<QWidget*> tabOrder() const;
    void scrollBarAction(int action);
    void scrollBarReleased();

    TorvDBCtrlGridLink link_;
    TorvDBCtrlPanel* panel_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    TColor borderColor_ = clBlack;
    QPainter* canvas_ = nullptr;
    int colCount_ = 1;
    int rowCount_ = 3;
    int panelWidth_ = 200;
    int panelHeight_ = 72;
    int panelIndex_ = 0;
    int panelCount_ = 0;
    // The panel being painted as a picture (-1: the live panel paints itself).
    int paintingIndex_ = -1;
    TorvDBCtrlGridOrientation orientation_ = goVertical;
    TorvDBCtrlGridBorder panelBorder_ = gbRaised;
    bool allowInsert_ = true;
    bool allowDelete_ = true;
    bool showFocus_ = true;
    bool clicking_ = false;
    bool selColorChanged_ = false;
    bool adjusting_ = false;
    TColor color_ = clBtnFace;
    TColor selectedColor_ = clBtnFace;
};
