#pragma once
// The data-aware grid: TDBGrid shows the rows of a data source's dataset through the buffered
// data link, one grid row per record of the link's window, and edits them through the dataset.
//
// The grid holds only the rows that fit: its RowCount is the title row plus the link's window,
// the vertical scroll bar stands for the dataset's rows, and every move (keys, clicks, scroll
// bar, wheel) moves the dataset's current record. Painting reads each visible row through the
// link's active record, so it costs the same for 100 rows and for 100,000.
#include <QColor>
#include <QFont>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

#include "platform/db/datasource.h"
#include "platform/vcl/grids.h"

class TDBGrid;

enum TDBGridOption : unsigned {
    dgEditing = 1u << 0,
    dgAlwaysShowEditor = 1u << 1,
    dgTitles = 1u << 2,
    dgIndicator = 1u << 3,
    dgColumnResize = 1u << 4,
    dgColLines = 1u << 5,
    dgRowLines = 1u << 6,
    dgTabs = 1u << 7,
    dgRowSelect = 1u << 8,
    dgAlwaysShowSelection = 1u << 9,
    dgConfirmDelete = 1u << 10,
    dgCancelOnExit = 1u << 11,
};
using TDBGridOptions = QFlags<TDBGridOption>;
Q_DECLARE_OPERATORS_FOR_FLAGS(TDBGridOptions)

enum TColumnButtonStyle { cbsAuto, cbsEllipsis, cbsNone };

class TColumn;

// The title of a column: caption (the field's display label until set) and alignment.
class TColumnTitle {
public:
    explicit TColumnTitle(TColumn* column) : column_(column) {}
    QString Caption() const;
    void SetCaption(const QString& value);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment value);

private:
    TColumn* column_;
    std::optional<QString> caption_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
};

// One column of a TDBGrid: the field it shows and how.
class TColumn {
public:
    explicit TColumn(TDBGrid* grid);
    TDBGrid* Grid() const { return grid_; }
    int Index() const;

    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& value);
    // The field of the open dataset named FieldName (null when closed or unknown).
    TField* Field() const;
    TColumnTitle& Title() { return title_; }
    const TColumnTitle& Title() const { return title_; }
    // Width in pixels; from the field's display width until set.
    int Width() const;
    void SetWidth(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    const QStringList& PickList() const { return pickList_; }
    void SetPickList(const QStringList& value) { pickList_ = value; }
    TColumnButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TColumnButtonStyle value) { buttonStyle_ = value; }
    // Cell alignment; the field's until set.
    Qt::Alignment Alignment() const;
    void SetAlignment(Qt::Alignment value);
    // Background colour and font of the cells; the grid's until set.
    QColor Color() const;
    void SetColor(const QColor& value);
    QFont Font() const;
    void SetFont(const QFont& value);

private:
    friend class TDBGrid;
    friend class TColumnTitle;
    void changed();

    TDBGrid* grid_;
    QString fieldName_;
    TColumnTitle title_{this};
    std::optional<int> width_;
    bool visible_ = true;
    bool readOnly_ = false;
    QStringList pickList_;
    TColumnButtonStyle buttonStyle_ = cbsAuto;
    std::optional<Qt::Alignment> alignment_;
    std::optional<QColor> color_;
    std::optional<QFont> font_;
};

enum TDBGridColumnsState { csDefault, csCustomized };

// The grid's columns. While no column was added they are the dataset's visible fields
// (csDefault), rebuilt at each open.
class TDBGridColumns {
public:
    explicit TDBGridColumns(TDBGrid* grid) : grid_(grid) {}
    int Count() const { return int(items_.size()); }
    TColumn* Items(int index) const;
    TColumn* operator[](int index) const { return Items(index); }
    // Adds a column; the first one added switches the columns to csCustomized.
    TColumn* Add();
    void Clear();
    TDBGridColumnsState State() const { return state_; }
    // Back to the dataset's fields.
    void RebuildColumns();

private:
    friend class TDBGrid;
    friend class TColumn;
    TDBGrid* grid_;
    std::vector<std::unique_ptr<TColumn>> items_;
    TDBGridColumnsState state_ = csDefault;
};

class TDBGrid : public TCustomGrid {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget* parent = nullptr);
    ~TDBGrid() override;

    TDataSource* DataSource() const { return link_->DataSource(); }
    void SetDataSource(TDataSource* value);
    TDataLink* DataLink() const { return link_.get(); }
    TDBGridOptions Options() const { return dbOptions_; }
    void SetOptions(TDBGridOptions value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TDBGridColumns& Columns() { return columns_; }
    const TDBGridColumns& Columns() const { return columns_; }
    // The column (field) of the current cell.
    int SelectedIndex() const;
    void SetSelectedIndex(int value);
    TField* SelectedField() const;
    int FieldCount() const;
    TField* Fields(int index) const;
    QFont TitleFont() const { return titleFont_.value_or(font()); }
    void SetTitleFont(const QFont& value);

    // Draws a cell's field text as the grid does (background, then the text aligned with a
    // margin of 2 pixels); handlers of OnDrawColumnCell call it for the standard look.
    void DefaultDrawColumnCell(const QRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);

    std::function<void(QObject* Sender, const QRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)>
        OnDrawColumnCell;
    std::function<void(TColumn* Column)> OnCellClick;
    std::function<void(TColumn* Column)> OnTitleClick;
    // After the user dragged a column to another place (grid column indices).
    std::function<void(QObject* Sender, int FromIndex, int ToIndex)> OnColumnMoved;
    std::function<void(QObject* Sender)> OnEditButtonClick;

    // Called by the columns when their layout changes.
    void LayoutChanged();

protected:
    void DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    int GetEditLimit() override;
    QString GetEditMask(int ACol, int ARow) override;
    bool CanEditShow() override;
    // A cell takes only the characters its field can hold (no letters in a number).
    bool CanEditAcceptKey(QChar Key) override;
    TInplaceEdit* CreateEditor() override;
    void KeyDown(int& Key, Qt::KeyboardModifiers Shift) override;
    // A row being edited or inserted is cancelled by Escape.
    bool UsesEscape() const override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void Paint() override;
    void UpdateVertScrollBar(QScrollBar* bar) override;
    void VertScrollBarMoved(int value) override;
    void resizeEvent(QResizeEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    // Leaving the grid drops a record inserted but not filled in (dgCancelOnExit) and writes
    // what the editor holds into its field otherwise.
    void DoExit() override;
    // Fires OnDrawColumnCell.
    virtual void DrawColumnCell(const QRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);

private:
    friend class TColumn;
    friend class TDBGridColumns;
    friend class TDBGridInplaceEdit;
    int titleOffset() const { return (dbOptions_ & dgTitles) ? 1 : 0; }
    int indicatorOffset() const { return (dbOptions_ & dgIndicator) ? 1 : 0; }
    // The column shown in grid column ACol (null for the indicator and empty grids).
    TColumn* columnAt(int ACol) const;
    int gridColOf(int columnIndex) const;
    QStringList pickListOf(TColumn* column) const;
    void applyOptions();
    void layout();
    void buildDefaultColumns();
    void syncCurrentRow(int distance);
    bool canEditColumn(TColumn* column) const;
    TDataSet* dataSet() const;
    void moveBy(int distance);
    // Down and Up as the runtime's grid does them: Down at the last record appends one, Up
    // (or Down) from an inserted record nobody filled in drops it again.
    void nextRow();
    void priorRow();
    // The current record is one inserted that neither the dataset nor the editor changed.
    bool untouchedInsert() const;

    std::unique_ptr<TDataLink> link_;
    TDBGridColumns columns_{this};
    std::vector<int> visibleCols_;  // column indices in grid order
    TDBGridOptions dbOptions_;
    bool readOnly_ = false;
    bool layingOut_ = false;
    bool syncing_ = false;
    std::optional<QFont> titleFont_;
    TGridCoord pressCell_{-1, -1};
};
