#include "core/navigatorframe.h"

#include "ui_navigatorframe.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDropEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

#include "core/language.h"
#include "core/main.h"
#include "core/mainactions.h"
#include "core/mainimages.h"
#include "core/messageids.h"
#include "core/navigatorlists.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "core/startframe.h"
#include "core/views.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

TnavigatorFrm* navigatorFrm = nullptr;

namespace {

constexpr int kNodeIdRole = Qt::UserRole + 1;

QString translated(const char* text)
{
    return QCoreApplication::translate("TnavigatorFrm", text);
}

bool editing(const TDataSet& ds)
{
    return ds.State() == dsEdit || ds.State() == dsInsert;
}

// The small arrow of the header's menu button.
QImage menuGlyph()
{
    QImage img(12, 12, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 52, 72));
    p.drawPolygon(QPolygonF({QPointF(2, 4), QPointF(10, 4), QPointF(6, 9)}));
    return img;
}

// The default sport picture: a grey disc.
QPixmap defaultSportPicture()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(96, 96, 96));
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return pm;
}

// Runs a main-window action that exists in this program, with the given sender.
void runMainAction(const char* name, QObject* sender)
{
    const TMainActionInfo* info = FindMainAction(QString::fromLatin1(name));
    if (!MainForm || !info || !info->Built)
        return;
    if (TAction* a = MainForm->ActionManager1->FindAction(QString::fromLatin1(name)))
        if (a->OnExecute)
            a->OnExecute(sender);
}

bool mainActionBuilt(const char* name)
{
    const TMainActionInfo* info = FindMainAction(QString::fromLatin1(name));
    return info && info->Built;
}

void setColumn(TColumn* c, const QString& field, int width, const QString& title = QString())
{
    c->SetFieldName(field);
    c->SetWidth(width);
    if (!title.isEmpty())
        c->Title().SetCaption(title);
}

// Widens the search list's columns to their widest texts in the grid's font (a cell draws its
// text 2 pixels in from either side): a number cut on the left reads as another number, 35000 as
// "5000". The distance column holds the longest distance of any unit, the date and time columns
// their fixed formats; none becomes narrower than designed.
// The longest and the shortest distance of all units, as the search list shows them.
QStringList extremeMetres(TConnection& db)
{
    QStringList metres;
    for (const char* sql : {"SELECT Max(Meter) FROM daten", "SELECT Min(Meter) FROM daten"}) {
        const QVariant v = db.ExecuteScalar(QString::fromLatin1(sql));
        if (!v.isNull())
            metres << QString::number(v.toLongLong());
    }
    return metres;
}

void fitSearchColumns(TDBGrid& grid, const QStringList& metres)
{
    const QFontMetrics fm(grid.font());
    TDBGridColumns& columns = grid.Columns();
    for (int i = 0; i < columns.Count(); ++i) {
        TColumn* c = columns[i];
        const QString field = c->FieldName();
        QStringList texts;
        int designed = 0;
        if (field == QLatin1String("Meter")) {
            texts = metres;
            designed = 35;
        } else if (field == QLatin1String("Datum")) {
            texts << QStringLiteral("00.00.00");
            designed = 45;
        } else if (field == QLatin1String("Zeit")) {
            texts << QStringLiteral("00:00:00");
            designed = 45;
        } else {
            continue;
        }
        int width = designed;
        for (const QString& t : texts)
            width = std::max(width, fm.horizontalAdvance(t) + 6);
        if (c->Width() != width)
            c->SetWidth(width);
    }
}

}  // namespace

TnavigatorFrm::TnavigatorFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TnavigatorFrm>())
{
    ui->setupUi(this);
    UiNavPanel1 = ui->UiNavPanel1;
    UiNavPanel3 = ui->UiNavPanel3;
    UiNavPanel2 = ui->UiNavPanel2;
    XPButton1 = ui->XPButton1;
    XPButton3 = ui->XPButton3;
    XPButton7 = ui->XPButton7;
    XPButton8 = ui->XPButton8;
    XPButton9 = ui->XPButton9;
    pnl_uebersicht = ui->pnl_uebersicht;
    pnl_zeitraum = ui->pnl_zeitraum;
    pnl_suchen = ui->pnl_suchen;
    pnl_strecke = ui->pnl_strecke;
    pnl_trainblock = ui->pnl_trainblock;
    StringGrid1 = ui->StringGrid1;
    DBGrid2 = ui->DBGrid2;
    ComboBox1 = ui->ComboBox1;
    UiOfficeEdit20001 = ui->UiOfficeEdit20001;
    Label14 = ui->Label14;
    DBGrid3 = ui->DBGrid3;
    XPButton2 = ui->XPButton2;
    MaskEdit2 = ui->MaskEdit2;
    DBGrid4 = ui->DBGrid4;
    SpeedButton3 = ui->SpeedButton3;
    SpeedButton4 = ui->SpeedButton4;
    TreeView1 = ui->TreeView1;
    CheckBox1 = ui->CheckBox1;
    XPButton5 = ui->XPButton5;
    XPButton4 = ui->XPButton4;
    XPButton6 = ui->XPButton6;
    ProgressBar1 = ui->ProgressBar1;
    ApplyControlCaptions(this);

    setUpControls();
    buildPopupMenu();
    setUpGrids();
    setUpTree();

    // The overview is shown at start.
    XPButton1->SetDown(true);
    changeNavItem(nullptr);
    RegisterView<NavigatorView>(this);
}

TnavigatorFrm::~TnavigatorFrm()
{
    UnregisterView<NavigatorView>(this);
    if (navigatorFrm == this)
        navigatorFrm = nullptr;
}

void TnavigatorFrm::setUpControls()
{
    UiNavPanel1->SetPanelType(ptTitle);
    UiNavPanel3->SetPanelType(ptButton);
    UiNavPanel2->SetPanelType(ptButton);
    UiNavPanel3->SetGlyph(menuGlyph());
    UiNavPanel3->OnClick = Handler(this, &TnavigatorFrm::XPButton1Click);
    UiNavPanel2->OnClick = Handler(this, &TnavigatorFrm::XPButton22Click);

    const std::pair<TXPButton*, int> viewButtons[] = {
        {XPButton1, imgCalendar}, {XPButton3, imgPeriodStat}, {XPButton7, imgLexicon}, {XPButton8, imgRoutes}, {XPButton9, imgBlocks}};
    for (const auto& [button, image] : viewButtons) {
        button->SetGroupIndex(1);
        button->SetFlat(true);
        button->SetGlyph(MainImage(image).toImage());
        button->OnClick = Handler(this, &TnavigatorFrm::changeNavItem);
    }

    // Buttons with a caption are as wide as it; the block buttons show pictures with their hints.
    for (TXPButton* b : {XPButton2, SpeedButton3, SpeedButton4})
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->Caption()) + 16);
    const std::pair<TXPButton*, int> blockButtons[] = {{XPButton5, imgOpen}, {XPButton4, imgNew}, {XPButton6, imgBlocks}};
    for (const auto& [button, image] : blockButtons) {
        button->SetGlyph(MainImage(image).toImage());
        button->setFixedSize(26, 24);
    }

    ComboBox1->addItems({translated("Ort"), translated("Datum"), translated("Meter"), translated("Zeit")});
    ComboBox1->setCurrentIndex(0);
    UiOfficeEdit20001->OnChange = Handler(this, &TnavigatorFrm::UiOfficeEdit20001Change);
    XPButton2->OnClick = Handler(this, &TnavigatorFrm::XPButton2Click);
    connect(MaskEdit2, &QLineEdit::textChanged, this, [this] { Handler(this, &TnavigatorFrm::MaskEdit2Change)(MaskEdit2); });
    SpeedButton3->OnClick = Handler(this, &TnavigatorFrm::SpeedButton3Click);
    SpeedButton4->OnClick = Handler(this, &TnavigatorFrm::SpeedButton4Click);
    // The managers open once their windows exist in this program.
    SpeedButton4->setEnabled(mainActionBuilt("Action7"));
    XPButton5->OnClick = Handler(this, &TnavigatorFrm::XPButton5Click);
    XPButton4->OnClick = Handler(this, &TnavigatorFrm::XPButton4Click);
    XPButton6->OnClick = Handler(this, &TnavigatorFrm::XPButton6Click);
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { Handler(this, &TnavigatorFrm::CheckBox1Click)(CheckBox1); });
    ProgressBar1->hide();
    ProgressBar1->setValue(0);
}

void TnavigatorFrm::buildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setStyle(new FlatMenuStyle(style()));
    const struct {
        const char* Name;
        const char* Caption;
        int Image;
        TXPButton* Button;
    } entries[] = {
        {"bersicht1", QT_TRANSLATE_NOOP("TnavigatorFrm", "Übersicht"), imgCalendar, XPButton1},
        {"Zeitraumstatistik1", QT_TRANSLATE_NOOP("TnavigatorFrm", "Zeitraumstatistik"), imgPeriodStat, XPButton3},
        {"Suchen1", QT_TRANSLATE_NOOP("TnavigatorFrm", "Suchen"), imgLexicon, XPButton7},
        {"Profile1", QT_TRANSLATE_NOOP("TnavigatorFrm", "Profile"), imgRoutes, XPButton8},
        {"Trainingsblcke1", QT_TRANSLATE_NOOP("TnavigatorFrm", "Trainingsblöcke"), imgBlocks, XPButton9},
    };
    for (const auto& e : entries) {
        QAction* a = PopupMenu1->addAction(QIcon(MainImage(e.Image)), translated(e.Caption));
        a->setObjectName(QString::fromLatin1(e.Name));
        TXPButton* button = e.Button;
        connect(a, &QAction::triggered, this, [this, button] {
            Handler(this, &TnavigatorFrm::changeNavItem)(button);
        });
    }
}

void TnavigatorFrm::setUpGrids()
{
    StringGrid1->SetColCount(ocCount);
    StringGrid1->SetRowCount(2);
    StringGrid1->SetFixedCols(0);
    StringGrid1->SetFixedRows(1);
    // Empty until a database is opened: the title row only.
    StringGrid1->SetRowCount(1);
    StringGrid1->SetDefaultRowHeight(18);
    StringGrid1->SetOptions(StringGrid1->Options() | goRowSelect | goColSizing);
    StringGrid1->SetScrollBars(ssVertical);
    StringGrid1->OnDrawCell = Handler(this, &TnavigatorFrm::StringGrid20DrawCell);
    StringGrid1->OnSelectCell = Handler(this, &TnavigatorFrm::StringGrid1SelectCell);
    StringGrid1->OnClick = Handler(this, &TnavigatorFrm::StringGrid1DblClick);
    StringGrid1->OnKeyDown = Handler(this, &TnavigatorFrm::StringGrid1KeyDown);
    const int widths[ocCount] = {18, 60, 74, 48, -1, -1, -1};
    for (int c = 0; c < ocCount; ++c)
        StringGrid1->SetColWidths(c, widths[c]);

    TDataSource* zeitraum = orvServer ? &orvServer->dsZeitraum : nullptr;
    TDataSource* suchen = orvServer ? &orvServer->dsNavSuchen : nullptr;
    TDataSource* strecke = orvServer ? &orvServer->dsStrecke : nullptr;
    for (TDBGrid* g : {DBGrid2, DBGrid3, DBGrid4}) {
        g->SetOptions((g->Options() | dgRowSelect | dgAlwaysShowSelection) & ~(dgEditing | dgIndicator));
        g->SetReadOnly(true);
    }
    setColumn(DBGrid2->Columns().Add(), QStringLiteral("dat_Id"), 20);
    DBGrid2->Columns()[0]->SetVisible(false);
    setColumn(DBGrid2->Columns().Add(), QStringLiteral("Datum"), 46, tr("Datum"));
    setColumn(DBGrid2->Columns().Add(), QStringLiteral("Ort"), 72, tr("Ort"));
    setColumn(DBGrid2->Columns().Add(), QStringLiteral("Meter"), 40, tr("Meter"));
    setColumn(DBGrid2->Columns().Add(), QStringLiteral("Zeit"), 47, tr("Zeit"));
    DBGrid2->SetDataSource(zeitraum);
    DBGrid2->OnDrawColumnCell = Handler(this, &TnavigatorFrm::DBGrid2DrawColumnCell);
    DBGrid2->OnDblClick = Handler(this, &TnavigatorFrm::DBGrid2DblClick);

    setColumn(DBGrid3->Columns().Add(), QStringLiteral("Datum"), 45, tr("Datum"));
    setColumn(DBGrid3->Columns().Add(), QStringLiteral("Ort"), 55, tr("Ort"));
    setColumn(DBGrid3->Columns().Add(), QStringLiteral("Meter"), 35, tr("Meter"));
    setColumn(DBGrid3->Columns().Add(), QStringLiteral("Zeit"), 45, tr("Zeit"));
    DBGrid3->SetDataSource(suchen);
    DBGrid3->OnDblClick = Handler(this, &TnavigatorFrm::XPButton2Click);

    setColumn(DBGrid4->Columns().Add(), QStringLiteral("Name"), 95, translated("Ort"));
    setColumn(DBGrid4->Columns().Add(), QStringLiteral("Laenge"), 46, translated("Länge"));
    setColumn(DBGrid4->Columns().Add(), QStringLiteral("HDiff"), 32, translated("HDiff"));
    DBGrid4->SetDataSource(strecke);
    DBGrid4->OnDblClick = Handler(this, &TnavigatorFrm::SpeedButton3Click);

    // Keyboard: Enter in a list takes its unit or route over, as a double click does.
    for (QWidget* w : {static_cast<QWidget*>(StringGrid1), static_cast<QWidget*>(DBGrid2),
                       static_cast<QWidget*>(DBGrid3), static_cast<QWidget*>(DBGrid4)})
        w->installEventFilter(this);
}

void TnavigatorFrm::setUpTree()
{
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->setUniformRowHeights(true);
    TreeView1->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    // A unit node can be dragged onto a block node; the drop re-files the unit, the tree itself
    // never moves a node.
    TreeView1->setDragEnabled(true);
    TreeView1->setAcceptDrops(true);
    TreeView1->setDragDropMode(QAbstractItemView::DragDrop);
    TreeView1->setDefaultDropAction(Qt::CopyAction);
    TreeView1->viewport()->installEventFilter(this);
    TreeView1->installEventFilter(this);
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this,
            [this] { Handler(this, &TnavigatorFrm::TreeView1DblClick)(TreeView1); });
    connect(TreeView1, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* node, int) {
        if (!filling_)
            TreeView1Edited(node, node->text(0));
    });
}

int TnavigatorFrm::NodeId(const QTreeWidgetItem* node)
{
    return node ? node->data(0, kNodeIdRole).toInt() : 0;
}

// ---------------------------------------------------------------------------------------------
// Views

void TnavigatorFrm::changeNavItem(QObject* Sender)
{
    if (auto* button = qobject_cast<TXPButton*>(Sender)) {
        for (TXPButton* b : {XPButton1, XPButton3, XPButton7, XPButton8, XPButton9})
            if (b != button)
                b->SetDown(false);
        button->SetDown(true);
    }
    pnl_uebersicht->setVisible(XPButton1->Down());
    pnl_zeitraum->setVisible(XPButton3->Down());
    pnl_suchen->setVisible(XPButton7->Down());
    pnl_strecke->setVisible(XPButton8->Down());
    pnl_trainblock->setVisible(XPButton9->Down());
    if (XPButton9->Down())
        fillBlockTree();
}

void TnavigatorFrm::XPButton1Click(QObject*)
{
    PopupMenu1->popup(QCursor::pos());
}

void TnavigatorFrm::XPButton22Click(QObject*)
{
    bool callHelp = false;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Navigator"), callHelp);
}

bool TnavigatorFrm::gotoUnit(const QVariant& datId)
{
    if (!orvServer || !orvServer->daten.Active() || datId.isNull())
        return false;
    return orvServer->daten.Locate(QStringLiteral("dat_Id"), datId);
}

// ---------------------------------------------------------------------------------------------
// Overview list

void TnavigatorFrm::loadSportPictures()
{
    gridPictures_.clear();
    treeImages_.clear();
    images_.clear();
    const QPixmap fallback = defaultSportPicture();
    images_ << QIcon(fallback) << QIcon(MainImage(imgBlocks));
    if (!orvServer || !orvServer->orvDB.Connected())
        return;
    for (const TSportPicture& p : SportPictures(orvServer->orvDB)) {
        const QPixmap pm = p.Picture.isNull() ? fallback : QPixmap::fromImage(p.Picture);
        gridPictures_.insert(p.SportId, pm);
        treeImages_.insert(p.SportId, int(images_.size()));
        images_ << QIcon(pm);
    }
}

void TnavigatorFrm::Button1Click(QObject*)
{
    // The list's widths. Where the screen's font needs more room for a date or a distance than
    // the list was laid out for, the place gives it up, so the list keeps its width and needs no
    // horizontal scrolling.
    const QFontMetrics fm(StringGrid1->font());
    const int dateWidth =
        qMax(60, fm.horizontalAdvance(FormatDateTime(FormatSettings().ShortDateFormat, EncodeDate(2000, 12, 28))) + 6);
    const int distanceWidth = qMax(48, fm.horizontalAdvance(QStringLiteral("00,0 km")) + 6);
    const int placeWidth = qMax(40, 18 + 60 + 74 + 48 - 18 - dateWidth - distanceWidth);
    const int widths[ocCount] = {18, dateWidth, placeWidth, distanceWidth, -1, -1, -1};
    for (int c = 0; c < ocCount; ++c)
        StringGrid1->SetColWidths(c, widths[c]);
    StringGrid1->SetCells(ocDate, 0, LoadStr(msg::DateTitle));
    StringGrid1->SetCells(ocPlace, 0, LoadStr(msg::PlaceTitle));
    StringGrid1->SetCells(ocDistance, 0, LoadStr(msg::DistanceTitle));
    if (!orvServer || !orvServer->orvDB.Connected()) {
        overview_.Clear();
        StringGrid1->SetRowCount(1);
        return;
    }
    overview_.Fill(orvServer->orvDB, NavShowWeeks(), FormatSettings());
    searchMetres_.reset();
    // The pictures are read once per fill; painting only looks them up.
    loadSportPictures();
    filling_ = true;
    // The grid keeps no texts of the units: it asks the list for the cells it reads or shows.
    StringGrid1->CellSource = [this](int ACol, int ARow) { return overview_.Text(ARow - 1, ACol); };
    // The title row alone is not fixed (a grid needs a row below its fixed ones); with units it is.
    StringGrid1->SetRowCount(overview_.Count() + 1);
    if (overview_.Count() > 0 && StringGrid1->FixedRows() == 0)
        StringGrid1->SetFixedRows(1);
    filling_ = false;
    StringGrid1->InvalidateGrid();
}

void TnavigatorFrm::UnitChanged(int unitId)
{
    if (!orvServer || !orvServer->orvDB.Connected() || !overview_.Refresh(unitId)) {
        Button1Click(nullptr);
        return;
    }
    searchMetres_.reset();
    filling_ = true;
    StringGrid1->SetRowCount(overview_.Count() + 1);
    if (overview_.Count() > 0 && StringGrid1->FixedRows() == 0)
        StringGrid1->SetFixedRows(1);
    filling_ = false;
    StringGrid1->InvalidateGrid();
}

void TnavigatorFrm::selectCurrentUnit()
{
    if (!orvServer || !orvServer->daten.Active())
        return;
    const QString id = orvServer->daten.FieldByName(QStringLiteral("dat_Id"))->AsString();
    if (id.isEmpty())
        return;
    const int r = overview_.RowOf(id.toInt()) + 1;
    if (r < 1 || r >= StringGrid1->RowCount())
        return;
    if (StringGrid1->Row() != r) {
        filling_ = true;  // the grid's click must not move daten again
        StringGrid1->SetRow(r);
        filling_ = false;
    }
}

std::optional<bool> TnavigatorFrm::unitShownWithSplits(int datId) const
{
    const int r = overview_.RowOf(datId) + 1;
    if (r < 1 || r >= StringGrid1->RowCount())
        return std::nullopt;
    return !StringGrid1->Cells(ocSplitId, r).isEmpty();
}

void TnavigatorFrm::StringGrid1SelectCell(QObject*, int, int ARow, bool& CanSelect)
{
    CanSelect = StringGrid1->Cells(ocUnitId, ARow) != QLatin1String("-1");
}

void TnavigatorFrm::StringGrid1KeyDown(QObject*, int& Key, Qt::KeyboardModifiers Shift)
{
    // Week rows cannot be chosen: the keys that move the selection go on to the next unit row in
    // their direction (a page or the list's end that lands on a week row takes the unit beside it).
    const int first = StringGrid1->FixedRows();
    const int count = StringGrid1->RowCount();
    int target = 0;
    int step = 0;
    bool paging = false;
    if (Shift == Qt::NoModifier && (Key == Qt::Key_Down || Key == Qt::Key_Up)) {
        step = Key == Qt::Key_Down ? 1 : -1;
        target = StringGrid1->Row() + step;
    } else if (Shift == Qt::NoModifier && (Key == Qt::Key_PageDown || Key == Qt::Key_PageUp)) {
        step = Key == Qt::Key_PageDown ? 1 : -1;
        target = qBound(first, StringGrid1->Row() + step * qMax(1, StringGrid1->VisibleRowCount()), count - 1);
        paging = true;
    } else if (Shift == Qt::ControlModifier && (Key == Qt::Key_Home || Key == Qt::Key_End)) {
        step = Key == Qt::Key_Home ? 1 : -1;
        target = Key == Qt::Key_Home ? first : count - 1;
        paging = true;
    } else {
        return;
    }
    auto inList = [&](int r) { return r >= first && r < count; };
    auto weekRow = [&](int r) { return StringGrid1->Cells(ocUnitId, r) == QLatin1String("-1"); };
    int row = target;
    while (inList(row) && weekRow(row))
        row += step;
    if (!inList(row) && paging)
        for (row = target; inList(row) && weekRow(row); row -= step) {
        }
    // Without a unit row that way, the key does nothing.
    if (inList(row) && row != StringGrid1->Row())
        StringGrid1->SetRow(row);
    Key = 0;
}

void TnavigatorFrm::StringGrid1DblClick(QObject*)
{
    if (filling_)
        return;
    const int row = StringGrid1->Row();
    if (row < 1 || row >= StringGrid1->RowCount())
        return;
    const QString id = StringGrid1->Cells(ocUnitId, row);
    if (id.isEmpty() || id == QLatin1String("-1"))
        return;
    gotoUnit(id.toInt());
}

void TnavigatorFrm::StringGrid20DrawCell(QObject*, int ACol, int ARow, const QRect& Rect, TGridDrawState State)
{
    QPainter* canvas = StringGrid1->Canvas();
    if (!canvas || ARow < StringGrid1->FixedRows())
        return;
    const bool selected = State & gdSelected;
    const QString text = StringGrid1->Cells(ACol, ARow);
    canvas->save();
    canvas->fillRect(Rect, selected ? palette().color(QPalette::Highlight) : StringGrid1->Color());
    QFont font = StringGrid1->font();
    font.setBold(ACol == ocDate && text.startsWith(QLatin1Char('W')));
    canvas->setFont(font);
    QColor color = Qt::black;
    if (selected)
        color = palette().color(QPalette::HighlightedText);
    else if (!StringGrid1->Cells(ocSplitId, ARow).isEmpty())
        color = QColor(0, 0, 255);
    canvas->setPen(color);
    const QString sport = StringGrid1->Cells(ocSportId, ARow);
    if (ACol == ocPicture && !sport.isEmpty()) {
        const QPixmap pm = gridPictures_.value(sport.toInt());
        if (!pm.isNull())
            canvas->drawPixmap(Rect.left() + 1, Rect.top() + 1, pm);
    }
    const QFontMetrics fm(font);
    const int baseline = fm.ascent();
    const QString dateText = StringGrid1->Cells(ocDate, ARow);
    if ((ACol == ocDate || ACol == ocPicture) && dateText.startsWith(LoadStr(msg::WeekRow))) {
        // A week row's text spans the picture column and the date column: both cells write it
        // from the left edge of the picture column, each showing its part.
        const QFont bold = [&] {
            QFont b = StringGrid1->font();
            b.setBold(true);
            return b;
        }();
        canvas->setFont(bold);
        const int left = StringGrid1->CellRect(ocPicture, ARow).left();
        canvas->drawText(left + 1, Rect.top() + 1 + QFontMetrics(bold).ascent(), dateText + QStringLiteral("     "));
    } else if (ACol == ocPlace) {
        canvas->setClipRect(Rect.adjusted(0, 0, -2, 0));
        canvas->drawText(Rect.left() + 2, Rect.top() + 2 + baseline - 1, text);
    } else if (!text.isEmpty()) {
        canvas->drawText(Rect.left() + 1, Rect.top() + 1 + baseline, text);
    }
    canvas->restore();
}

// ---------------------------------------------------------------------------------------------
// Period list

void TnavigatorFrm::DBGrid2DrawColumnCell(QObject*, const QRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)
{
    TDataSet* ds = DBGrid2->DataSource() ? DBGrid2->DataSource()->DataSet() : nullptr;
    TField* id = ds && ds->Active() ? ds->FindField(QStringLiteral("dat_Id")) : nullptr;
    QFont f = DBGrid2->font();
    f.setBold(id && !id->IsNull() && id->AsInteger() < 0);
    if (QPainter* canvas = DBGrid2->Canvas())
        canvas->setFont(f);
    DBGrid2->DefaultDrawColumnCell(Rect, DataCol, Column, State);
}

void TnavigatorFrm::DBGrid2DblClick(QObject*)
{
    if (!orvServer || !orvServer->zeitraum.Active() || orvServer->zeitraum.RecordCount() < 1)
        return;
    gotoUnit(orvServer->zeitraum.FieldByName(QStringLiteral("dat_Id"))->Value());
}

// ---------------------------------------------------------------------------------------------
// Search

void TnavigatorFrm::UiOfficeEdit20001Change(QObject*)
{
    if (!orvServer || !orvServer->orvDB.Connected())
        return;
    TQuery& q = orvServer->navSuchen;
    q.Close();
    q.SQL().clear();
    if (ComboBox1->currentText().isEmpty())
        ComboBox1->setCurrentIndex(0);
    const TSearchField field = TSearchField(qBound(0, ComboBox1->currentIndex(), int(sfZeit)));
    q.SetSQLText(NavSearchSql(field));
    q.ParamByName(QStringLiteral("muster"))->SetAsString(NavSearchPattern(UiOfficeEdit20001->text()));
    q.Open();
    // The distances' extremes change only with the units: read again after a save or a refill.
    if (!searchMetres_)
        searchMetres_ = extremeMetres(orvServer->orvDB);
    fitSearchColumns(*DBGrid3, *searchMetres_);
    Label14->setText(QString::number(q.RecordCount()));
}

void TnavigatorFrm::XPButton2Click(QObject*)
{
    if (!orvServer || !orvServer->navSuchen.Active() || orvServer->navSuchen.IsEmpty())
        return;
    gotoUnit(orvServer->navSuchen.FieldByName(QStringLiteral("DAT_ID"))->Value());
}

// ---------------------------------------------------------------------------------------------
// Routes

void TnavigatorFrm::MaskEdit2Change(QObject*)
{
    if (!orvServer)
        return;
    TTable& strecke = orvServer->strecke;
    const QString text = MaskEdit2->text();
    if (!text.isEmpty()) {
        strecke.SetFilter(RouteFilter(text));
        strecke.SetFiltered(true);
    } else {
        strecke.SetFiltered(false);
    }
}

void TnavigatorFrm::SpeedButton3Click(QObject*)
{
    if (!orvServer || !orvServer->strecke.Active() || orvServer->strecke.IsEmpty() || !orvServer->daten.Active())
        return;
    TTable& strecke = orvServer->strecke;
    TTable& daten = orvServer->daten;
    // The route is remembered by its key: the new unit's rules may move the routes.
    const QVariant route = strecke.FieldByName(QStringLiteral("StrIndex"))->Value();
    if (!editing(daten)) {
        daten.Insert();
        strecke.Locate(QStringLiteral("StrIndex"), route);
    }
    daten.FieldByName(QStringLiteral("Ort"))->SetValue(strecke.FieldByName(QStringLiteral("Name"))->Value());
    daten.FieldByName(QStringLiteral("Meter"))->SetValue(strecke.FieldByName(QStringLiteral("Laenge"))->Value());
    daten.FieldByName(QStringLiteral("Hoehendifferenz"))->SetValue(strecke.FieldByName(QStringLiteral("HDiff"))->Value());
    daten.FieldByName(QStringLiteral("Streckenbeschreibung"))->SetValue(strecke.FieldByName(QStringLiteral("Ort"))->Value());
    daten.FieldByName(QStringLiteral("Bemerkungen"))->SetValue(strecke.FieldByName(QStringLiteral("Beschreibung"))->Value());
}

void TnavigatorFrm::SpeedButton4Click(QObject* Sender)
{
    runMainAction("Action7", Sender);
}

// ---------------------------------------------------------------------------------------------
// Block tree

void TnavigatorFrm::fillBlockTree()
{
    filling_ = true;
    loadSportPictures();
    TreeView1->setUpdatesEnabled(false);
    TreeView1->clear();
    archiveNode_ = nullptr;
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    QTreeWidgetItem* lastUnit = nullptr;
    try {
        archiveNode_ = new QTreeWidgetItem(QStringList(LoadStr(msg::ArchiveNode)));
        archiveNode_->setIcon(0, images_.value(1));
        archiveNode_->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        TreeView1->addTopLevelItem(archiveNode_);
        if (orvServer && orvServer->orvDB.Connected()) {
            const QList<TBlockTreeNode> nodes =
                BlockTreeNodes(orvServer->orvDB, CheckBox1->isChecked(), Date(), FormatSettings());
            ProgressBar1->setMaximum(int(nodes.size()));
            // The top-level blocks are collected and added at once, the fastest way into the tree.
            QList<QTreeWidgetItem*> topLevel;
            QTreeWidgetItem* block = nullptr;
            int step = 0;
            for (const TBlockTreeNode& n : nodes) {
                auto* item = new QTreeWidgetItem(QStringList(n.Text));
                item->setData(0, kNodeIdRole, n.Id);
                if (n.kind == TBlockTreeNode::Block) {
                    item->setIcon(0, images_.value(1));
                    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDropEnabled);
                    if (n.Archived)
                        archiveNode_->addChild(item);
                    else
                        topLevel.append(item);
                    block = item;
                } else {
                    item->setIcon(0, images_.value(SportImageIndex(n.SportId)));
                    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
                    if (block)
                        block->addChild(item);
                    else
                        delete item;
                    lastUnit = item;
                }
                if ((++step & 0xFF) == 0)
                    ProgressBar1->setValue(step);
            }
            TreeView1->addTopLevelItems(topLevel);
        }
        TreeView1->expandAll();
        archiveNode_->setExpanded(false);
    } catch (...) {
        TreeView1->setUpdatesEnabled(true);
        ProgressBar1->hide();
        ProgressBar1->setValue(0);
        filling_ = false;
        throw;
    }
    if (orvServer) {
        orvServer->trainblock.SetFiltered(false);
        orvServer->trainblock.SetFilter(QString());
    }
    TreeView1->setUpdatesEnabled(true);
    if (lastUnit)
        TreeView1->setCurrentItem(lastUnit);
    ProgressBar1->hide();
    ProgressBar1->setValue(0);
    filling_ = false;
}

QTreeWidgetItem* TnavigatorFrm::selectedBlockNode() const
{
    QTreeWidgetItem* node = TreeView1->currentItem();
    return node && node->isSelected() && NodeId(node) < 0 ? node : nullptr;
}

QTreeWidgetItem* TnavigatorFrm::selectedUnitNode() const
{
    QTreeWidgetItem* node = TreeView1->currentItem();
    return node && node->isSelected() && NodeId(node) > 0 ? node : nullptr;
}

void TnavigatorFrm::TreeView1DblClick(QObject*)
{
    if (QTreeWidgetItem* node = selectedUnitNode())
        gotoUnit(NodeId(node));
}

void TnavigatorFrm::XPButton5Click(QObject* Sender)
{
    TreeView1DblClick(Sender);
}

bool TnavigatorFrm::unitSaved()
{
    if (orvServer && editing(orvServer->daten)) {
        MessageDlg(LoadStr(msg::UnitMustBeSavedFirst), mtError, TMsgDlgButtons{mbOK});
        return false;
    }
    return true;
}

void TnavigatorFrm::fileUnitInBlock(int datId, int blockId)
{
    TTable& daten = orvServer->daten;
    if (!gotoUnit(datId))
        return;
    daten.Edit();
    daten.FieldByName(QStringLiteral("trainingsblock"))->SetAsInteger(blockId);
    daten.Post();
}

void TnavigatorFrm::XPButton4Click(QObject*)
{
    QTreeWidgetItem* block = selectedBlockNode();
    if (!block || !orvServer || !orvServer->daten.Active() || orvServer->daten.IsEmpty())
        return;
    if (!unitSaved())
        return;
    const int blockId = -NodeId(block);  // the post refills the tree: the node goes
    TTable& daten = orvServer->daten;
    daten.Edit();
    daten.FieldByName(QStringLiteral("trainingsblock"))->SetAsInteger(blockId);
    daten.Post();
    fillBlockTree();
}

void TnavigatorFrm::XPButton6Click(QObject* Sender)
{
    QTreeWidgetItem* block = selectedBlockNode();
    if (!block) {
        MessageDlg(LoadStr(msg::NoBlockSelected), mtInformation, TMsgDlgButtons{mbOK});
        return;
    }
    if (!orvServer)
        return;
    orvServer->trainblockman.Locate(QStringLiteral("trb_id"), -NodeId(block));
    runMainAction("Action17", Sender);
    orvServer->trainblockman.Close();
    orvServer->trainblockman.Open();
    orvServer->trainblock.Requery();
    TTable& daten = orvServer->daten;
    const TBookmark mark = daten.GetBookmark();
    daten.Requery();
    fillBlockTree();
    // The block manager may have deleted the unit: daten returns only to one that still exists.
    if (!mark.IsNull() && daten.BookmarkValid(mark))
        daten.GotoBookmark(mark);
}

void TnavigatorFrm::CheckBox1Click(QObject*)
{
    fillBlockTree();
}

void TnavigatorFrm::TreeView1Edited(QTreeWidgetItem* Node, const QString& S)
{
    const int id = NodeId(Node);
    if (id >= 0 || !orvServer)
        return;
    TTable& trainblock = orvServer->trainblock;
    if (trainblock.Locate(QStringLiteral("trb_id"), -id)) {
        trainblock.Edit();
        trainblock.FieldByName(QStringLiteral("trb_Name"))->SetAsString(S);
        trainblock.Post();
    }
    orvServer->trainblockman.Close();
    orvServer->trainblockman.Open();
    orvServer->daten.Refresh();
}

bool TnavigatorFrm::TreeView1DragOver(QTreeWidgetItem* Source, QTreeWidgetItem* Target) const
{
    return Source && Target && NodeId(Source) > 0 && NodeId(Target) < 0;
}

void TnavigatorFrm::TreeView1DragDrop(QTreeWidgetItem* Source, QTreeWidgetItem* Target)
{
    if (!TreeView1DragOver(Source, Target) || !orvServer)
        return;
    // A unit being edited is not posted unasked by a drop.
    if (!unitSaved())
        return;
    const int unit = NodeId(Source);
    const int block = -NodeId(Target);
    fileUnitInBlock(unit, block);  // the after-post rule refills the tree
}

bool TnavigatorFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TreeView1->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* e = static_cast<QDropEvent*>(event);
            QTreeWidgetItem* target = TreeView1->itemAt(e->position().toPoint());
            if (e->source() == TreeView1 && TreeView1DragOver(TreeView1->currentItem(), target)) {
                e->setDropAction(Qt::CopyAction);
                e->accept();
            } else {
                e->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(event);
            QTreeWidgetItem* target = TreeView1->itemAt(e->position().toPoint());
            QTreeWidgetItem* source = e->source() == TreeView1 ? TreeView1->currentItem() : nullptr;
            e->setDropAction(Qt::CopyAction);
            e->accept();
            Handler(this, &TnavigatorFrm::TreeView1DragDrop)(source, target);
            return true;
        }
        default: break;
        }
    } else if (event->type() == QEvent::ShortcutOverride && watched == TreeView1) {
        // F2 is the tree's own key, renaming the selected block in place (a unit's node refuses
        // it); the main window's short-cut of the same key does not take it from the tree.
        auto* e = static_cast<QKeyEvent*>(event);
        if (e->key() == Qt::Key_F2 && !(e->modifiers() & ~Qt::KeypadModifier)) {
            e->accept();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == TreeView1) {
                TreeView1DblClick(TreeView1);
                return true;
            }
            if (watched == DBGrid2) {
                Handler(this, &TnavigatorFrm::DBGrid2DblClick)(DBGrid2);
                return true;
            }
            if (watched == DBGrid3) {
                Handler(this, &TnavigatorFrm::XPButton2Click)(DBGrid3);
                return true;
            }
            if (watched == DBGrid4) {
                Handler(this, &TnavigatorFrm::SpeedButton3Click)(DBGrid4);
                return true;
            }
        }
    }
    return TFrame::eventFilter(watched, event);
}
