#pragma once
// TExtColumnGrid: a string grid whose columns carry their own settings in a collection of column
// items (header, width, colours and fonts, borders, alignment, editor, check texts, read-only,
// limits and the rest). Every per-cell question the string grid asks through its dispatchers is
// answered from the column's item for the column's data cells, so that one painting, input and
// editing path serves both grids.
//
// Item k belongs to real column k; the grid keeps exactly ColCount plus the hidden columns of
// items. Setting ColCount, inserting, removing or moving columns and grouping bring the items
// along; adding or deleting items through the collection moves ColCount.
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "grid/display/extgrid.h"

class TExtColumnGrid;
class TGridColumnCollection;

// Which mouse button on which rows pops a column's menu up.
enum TColumnPopupType {
    cpFixedCellsRClick,
    cpFixedCellsLClick,
    cpNormalCellsRClick,
    cpNormalCellsLClick,
    cpAllCellsRClick,
    cpAllCellsLClick
};

class TGridColumnItem {
public:
    // An item with the new-item values: the grid's colour and copies of its font.
    explicit TGridColumnItem(TGridColumnCollection* collection = nullptr);
    ~TGridColumnItem();
    TGridColumnItem(const TGridColumnItem&) = delete;
    TGridColumnItem& operator=(const TGridColumnItem&) = delete;

    TGridColumnCollection* Collection() const { return collection_; }
    TExtColumnGrid* Grid() const;
    // The item's place in its collection (its real column); -1 outside one.
    int Index() const;

    // The real column's width (0 outside a grid); writing stores it and sizes the column.
    int Width() const;
    void SetWidth(int value);
    // The header text, written to the column's header cell.
    const QString& Header() const { return header_; }
    void SetHeader(const QString& value);

    TAlignment Alignment = taLeftJustify;
    TAlignment HeaderAlignment = taLeftJustify;
    TFont HeaderFont;
    TFont Font;
    TColor Color = clWindow;
    TCellBorders Borders = 0;
    TGridPen BorderPen{0xC0C0C0, 1};
    TCellBorders PrintBorders = cbTop | cbLeft | cbRight | cbBottom;
    TGridPen PrintBorderPen{0, 1};
    TColor PrintColor = 0xFFFFFF;
    TFont PrintFont;
    QString CheckTrue = QStringLiteral("Y");
    QString CheckFalse = QStringLiteral("N");
    TEditorType Editor = edNormal;
    TStringList ComboItems;
    int EditLength = 0;  // 0: no limit
    QString EditMask;
    QPointer<QObject> EditLink;  // a custom editor of the application; cleared when it goes
    int SpinMin = 0;
    int SpinMax = 0;
    int SpinStep = 1;
    bool Fixed = false;
    bool ReadOnly = false;
    bool Password = false;
    bool ShowBands = false;
    QString FloatFormat;
    TStringList Filter;  // the lines of the column's filter drop-down
    bool FilterCaseSensitive = false;
    TSortStyle SortStyle = ssAutomatic;
    QString SortPrefix;
    QString SortSuffix;
    int MinSize = 0;
    int MaxSize = 0;
    int AutoMinSize = 0;
    int AutoMaxSize = 0;
    QPointer<QMenu> ColumnPopup;  // cleared when the menu goes
    TColumnPopupType ColumnPopupType = cpFixedCellsRClick;
    QString Name;
    int Tag = 0;

    // Copies the settings an appended item takes over, and the header, name, tag, combo items,
    // colour and font; HeaderFont and ColumnPopupType stay.
    void Assign(const TGridColumnItem& source);
    // "Column 2" without a header, else "Col 2: <header>".
    QString DisplayName() const;

private:
    friend class TGridColumnCollection;
    friend class TExtColumnGrid;
    // The settings an item appended after `source` takes over.
    void takeOver(const TGridColumnItem& source);
    void repaintGrid() const;

    TGridColumnCollection* collection_;
    int width_ = 50;
    QString header_;
};

class TGridColumnCollection {
public:
    explicit TGridColumnCollection(TExtColumnGrid* grid);
    virtual ~TGridColumnCollection();
    TGridColumnCollection(const TGridColumnCollection&) = delete;
    TGridColumnCollection& operator=(const TGridColumnCollection&) = delete;

    TExtColumnGrid* Grid() const { return grid_; }
    int Count() const { return int(items_.size()); }
    TGridColumnItem* Items(int index) const { return items_[size_t(index)].get(); }
    TGridColumnItem* operator[](int index) const { return Items(index); }
    int IndexOf(const TGridColumnItem* item) const;

    // Appends an item that takes over the settings of the one before it.
    TGridColumnItem* Add();
    // Inserts an item with the new-item values.
    TGridColumnItem* Insert(int index);
    void Delete(int index);
    void Clear();
    // Moves an item to another place with every setting it has.
    void Move(int fromIndex, int toIndex);
    // Takes the source's items, each through Assign; one update at the end.
    void Assign(const TGridColumnCollection& source);
    // Changes between the two run one update at the end.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // While it is on, changes of the items leave ColCount and the headers alone.
    bool UpdateSwitch = false;

protected:
    // After items were added, deleted or moved: ColCount follows the item count (less the hidden
    // columns) and the header row the items' headers.
    virtual void Update();

private:
    friend class TExtColumnGrid;
    void changed();

    TExtColumnGrid* grid_;
    std::vector<std::unique_ptr<TGridColumnItem>> items_;
    int updateCount_ = 0;
};

// The look of a column's filter list. Assigning another copies the five values.
class TFilterDropDown {
public:
    TColor Color = clWindow;
    // The list is exactly as wide as the header cell; otherwise Width.
    bool ColumnWidth = false;
    TFont Font;
    int Height = 200;
    int Width = 200;
    void Assign(const TFilterDropDown& source);
};

// The grid's own list of a column's filter entries: Enter, or a mouse button released over it,
// hides it and tells OnSelect the selected entry.
class TDropList : public QListWidget {
    Q_OBJECT
public:
    explicit TDropList(QWidget* parent);
    std::function<void(QObject* Sender, int ItemIndex)> OnSelect;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void choose();
};

class TExtColumnGrid : public TExtStringGrid {
    Q_OBJECT
public:
    explicit TExtColumnGrid(QWidget* parent = nullptr);
    ~TExtColumnGrid() override;

    TGridColumnCollection& Columns() { return columns_; }
    const TGridColumnCollection& Columns() const { return columns_; }
    void SetColumns(const TGridColumnCollection& value) { columns_.Assign(value); }
    // The item of a real column; nullptr beyond the items.
    TGridColumnItem* ColumnItem(int ACol) const;

    // Sets the column count and brings the items in step.
    void SetColCount(int value);
    void Loaded() override;

    // A choice in a filter list re-applies the filter at once and fires OnFilterDone.
    bool AutoFilterUpdate = false;
    // A choice writes its friendly name into the column's header.
    bool AutoFilterDisplay = false;
    // The look of the filter lists; setting it copies the values.
    TFilterDropDown FilterDropDown;
    void SetFilterDropDown(const TFilterDropDown& value) { FilterDropDown.Assign(value); }
    // The list of the open filter drop-down (hidden while none is open) and its real column (-1).
    TDropList* DropList() const { return dropList_; }
    int DropDownColumn() const { return dropDownColumn_; }
    // A choice: the real column, the entry, its friendly name and the condition it stores.
    std::function<void(QObject* Sender, int Column, int ItemIndex, const QString& FriendlyName, QString& FilterCondition)>
        OnFilterSelect;
    std::function<void(QObject* Sender)> OnFilterDone;
    // The choice of an entry of the open list (the list's OnSelect).
    void FilterSelect(QObject* Sender, int ItemIndex);
    // A column dragged from one real column to another.
    std::function<void(QObject* Sender, int FromIndex, int ToIndex)> OnAfterColumnMoved;
    // A press on a cell of a column with a popup menu of the pressed button.
    std::function<void(QObject* Sender, int ACol, int ARow, QMenu* PopupMenu)> OnColumnPopup;

    void InsertCols(int ACol, int AColCount) override;
    void RemoveCols(int ACol, int AColCount) override;
    void Group(int ACol) override;
    void UnGroup() override;

    TCellType GetCellType(int ACol, int ARow) override;
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    QString GetFormattedText(int ACol, int ARow) override;
    void UpdateColumnSize(int ACol, int& AWidth) override;
    void UpdateAutoColumnSize(int ACol, int& AWidth) override;
    bool HasColumnFilter(int ACol) override;
    unsigned GetVersionNr() const override;

    // Whether (ACol, ARow) is a data cell of a column item (real column).
    bool IsColumnDataCell(int ACol, int ARow) const;

protected:
    void DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TGridBrush& ABrush, TFont& AFont) override;
    void DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TGridBrush& ABrush, TFont& AFont) override;
    void DoGetCellBorder(int ACol, int ARow, TGridPen& APen, TCellBorders& Borders) override;
    void DoGetCellPrintBorder(int ACol, int ARow, TGridPen& APen, TCellBorders& Borders) override;
    void DoGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void DoGetEditorType(int ACol, int ARow, TEditorType& AEditor) override;
    void DoIsFixedCell(int ACol, int ARow, bool& IsFixed) override;
    void DoCanEditCell(int ACol, int ARow, bool& CanEdit) override;
    void DoIsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
    void DoHasComboBox(int ACol, int ARow, bool& HasComboBox) override;
    void DoGetCheckTrue(int ACol, int ARow, QString& Value) override;
    void DoGetCheckFalse(int ACol, int ARow, QString& Value) override;
    void ColumnHeadersChanged() override;

    int GetEditLimit() override;
    QString GetEditMask(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;

private:
    friend class TGridColumnCollection;
    friend class TGridColumnItem;
    // Appends or frees items until there are ColCount plus the hidden columns of them, with the
    // collection's update switch as given.
    void syncItems(bool updateSwitch);
    // The header list from the items' headers (one change notice).
    void headersFromItems();
    // A column's item when the column lies within the items, at or right of the fixed columns,
    // left of the fixed right columns and above the footer rows (fixed rows included).
    TGridColumnItem* colourItem(int ACol, int ARow) const;
    TGridColumnItem* dataItem(int ACol, int ARow) const;

    TGridColumnCollection columns_;
    bool columnMoving_ = false;
    bool structuralMove_ = false;  // InsertCols and RemoveCols move columns themselves
    std::unique_ptr<TCellGraphic> virtCheckGraphic_;
    TGridColumnItem spareItem_;  // the settings of a grouped column
    // Opens, moves or closes the filter list after a press (viewport coordinates).
    void filterDropDownPress(int X, int Y);
    void closeDropList();
    TDropList* dropList_ = nullptr;
    int dropDownColumn_ = -1;
};
