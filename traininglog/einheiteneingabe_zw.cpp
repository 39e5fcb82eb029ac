// The split page of the entry window: the split grid of the current unit's split rows or
// heart-rate samples, its drawing, clicks and distance-unit switch, the commands that create,
// edit and delete rows, and the loading of a route's points as split rows.
#include "traininglog/einheiteneingabe.h"

#include "ui_einheiteneingabe.h"

#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QTabBar>

#include <utility>

#include "core/busy.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"
#include "platform/vcl/imglist.h"
#include "traininglog/hrmgraph.h"
#include "traininglog/zweditdlg.h"
#include "traininglog/zwbusy.h"
#include "traininglog/zwgrid.h"
#include "traininglog/zwinfo.h"

namespace {

// The tint of every second data row.
const QColor kRowTint(200, 223, 245);

using BusyScope = ZwBusyScope;

// Runs `work` with the entry window's split-grid refill suspended; true again afterwards.
template <class F>
void withFillSuspended(Teingabe& w, F&& work)
{
    w.zwFillEnabled = false;
    try {
        work();
    } catch (...) {
        w.zwFillEnabled = true;
        throw;
    }
    w.zwFillEnabled = true;
}

}  // namespace

bool Teingabe::hasUnits()
{
    return orvServer && orvServer->daten.Active() && !orvServer->daten.IsEmpty();
}

int Teingabe::currentUnitId()
{
    TField* id = orvServer->daten.FieldByName(QStringLiteral("dat_Id"));
    return id->IsNull() ? 0 : id->AsInteger();
}

void Teingabe::requireSavedUnit()
{
    if (orvServer->daten.State() == dsInsert)
        throw Exception(LoadStr(msg::SaveUnitFirst));
}

void Teingabe::setUpSplitPage()
{
    TabControl1 = ui->TabControl1;
    StringGrid1 = ui->StringGrid1;
    StaticText1 = ui->StaticText1;
    btn_insert = ui->btn_insert;
    XPButton18 = ui->XPButton18;
    XPButton19 = ui->XPButton19;
    XPButton6 = ui->XPButton6;
    XPButton20 = ui->XPButton20;
    XPButton21 = ui->XPButton21;
    XPButton22 = ui->XPButton22;
    XPButton23 = ui->XPButton23;
    XPButton24 = ui->XPButton24;
    ImageList5 = zwgrid::newSplitTypeImages(this);

    TabControl1->addTab(tr("Zwischenzeiten"));
    TabControl1->addTab(tr("HF"));
    TabControl1->setDrawBase(false);
    TabControl1->setFocusPolicy(Qt::StrongFocus);
    connect(TabControl1, &QTabBar::currentChanged, this, [this](int) { RunGuarded([this] { TabControl1Change(TabControl1); }); });

    StringGrid1->SetColCount(zwgrid::ColumnCount);
    StringGrid1->SetRowCount(2);
    StringGrid1->SetFixedCols(0);
    StringGrid1->SetFixedRows(1);
    StringGrid1->SetDefaultRowHeight(18);
    StringGrid1->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect | goColSizing);
    StringGrid1->SetRows(0, zwgrid::headers(QStringLiteral("Meter")));
    for (int c = 0; c < zwgrid::ColumnCount; ++c)
        StringGrid1->SetColWidths(c, zwgrid::columnWidth(c));
    StringGrid1->OnDrawCell = Handler(this, &Teingabe::StringGrid1DrawCell);
    StringGrid1->OnClick = Handler(this, &Teingabe::StringGrid1Click);
    StringGrid1->OnDblClick = Handler(this, &Teingabe::StringGrid1DblClick);
    StringGrid1->OnMouseUp = Handler(this, &Teingabe::StringGrid1MouseUp);
    // Return edits the selected row, Delete deletes it, Insert makes a new one: the keyboard
    // reaches every command of the grid's popup menu.
    StringGrid1->OnKeyDown = [this](QObject* s, int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            RunGuarded([&] { XPButton19Click(s); });
        else if (key == Qt::Key_Delete)
            RunGuarded([&] { XPButton18Click(s); });
        else if (key == Qt::Key_Insert)
            RunGuarded([&] { btn_insertClick(s); });
        else
            return;
        key = 0;
    };

    auto flat = [this](QMenu* menu) {
        menu->setStyle(new FlatMenuStyle(menu->style()));
        return menu;
    };
    PopupMenu1 = flat(new QMenu(StringGrid1));
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](QMenu* menu, const QString& caption, void (Teingabe::*handler)(QObject*)) {
        QAction* a = menu->addAction(caption);
        connect(a, &QAction::triggered, this, [this, handler] { RunGuarded([&] { (this->*handler)(this); }); });
        return a;
    };
    item(PopupMenu1, tr("&Neu"), &Teingabe::btn_insertClick);
    item(PopupMenu1, tr("&Bearbeiten"), &Teingabe::XPButton19Click);
    item(PopupMenu1, tr("&Löschen"), &Teingabe::XPButton18Click);
    PopupMenu1->addSeparator();
    Zwischenzeitenladen1 = flat(PopupMenu1->addMenu(tr("&Zwischenzeiten laden")));
    Zwischenzeitenladen1->setObjectName(QStringLiteral("Zwischenzeitenladen1"));
    PopupMenu3 = flat(new QMenu(this));
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    for (QMenu* routes : {Zwischenzeitenladen1, PopupMenu3})
        connect(routes, &QMenu::aboutToShow, this, [this, routes] { RunGuarded([&] { fillRouteMenu(routes); }); });
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(StringGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(at)); });

    PopupMenu6 = flat(new QMenu(StringGrid1));
    PopupMenu6->setObjectName(QStringLiteral("PopupMenu6"));
    connect(PopupMenu6, &QMenu::aboutToShow, this, [this] { RunGuarded([this] { PopupMenu6Popup(PopupMenu6); }); });

    btn_insert->OnClick = Handler(this, &Teingabe::btn_insertClick);
    XPButton18->OnClick = Handler(this, &Teingabe::XPButton18Click);
    XPButton19->OnClick = Handler(this, &Teingabe::XPButton19Click);
    XPButton6->OnClick = Handler(this, &Teingabe::XPButton6Click);
    XPButton22->OnClick = Handler(this, &Teingabe::XPButton22Click);
    XPButton24->OnClick = Handler(this, &Teingabe::XPButton24Click);
    XPButton20->OnClick = Handler(this, &Teingabe::XPButton20Click);
    XPButton23->OnClick = Handler(this, &Teingabe::XPButton23Click);
    for (TXPButton* b : {btn_insert, XPButton18, XPButton19, XPButton6, XPButton20, XPButton21, XPButton22, XPButton23,
                         XPButton24})
        b->setFocusPolicy(Qt::StrongFocus);
    Events(StaticText1).OnMouseDown = [this](QObject* s, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        RunGuarded([&] { StaticText1Click(s); });
    };
    Events(TabSheet5).OnResize = [this](QObject*) { layOutSplitPage(); };
    setTabOrder(btn_insert, XPButton18);
    setTabOrder(XPButton18, XPButton19);
    setTabOrder(XPButton19, XPButton6);
    setTabOrder(XPButton6, XPButton20);
    setTabOrder(XPButton20, XPButton21);
    setTabOrder(XPButton21, XPButton22);
    setTabOrder(XPButton22, XPButton23);
    setTabOrder(XPButton23, XPButton24);
    setTabOrder(XPButton24, TabControl1);
    setTabOrder(TabControl1, StringGrid1);
    setUpSplitImportExport();
}

void Teingabe::layOutSplitPage()
{
    const int w = TabSheet5->width();
    ui->Panel12->setGeometry(0, 0, w, ui->Panel12->height());
    Panel11->setGeometry(0, Panel11->y(), w, Panel11->height());
    const int top = StringGrid1->y();
    StringGrid1->setGeometry(0, top, w, std::max(40, TabSheet5->height() - top));
    StaticText1->setGeometry(TabControl1->x() + TabControl1->sizeHint().width() + 12, StaticText1->y(),
                             std::max(40, w - TabControl1->sizeHint().width() - 16), StaticText1->height());
}

bool Teingabe::hrmTabActive() const
{
    return TabControl1->currentIndex() == 1;
}

void Teingabe::updateZwSql()
{
    if (!hasUnits())
        return;
    TQuery& zeit = orvServer->zeit;
    zeit.Close();
    zeit.SetSQLText(zwgrid::readSql(currentUnitId(), hrmTabActive(), true));
    zeit.Open();
    zeit.First();
    zeit.FieldByName(QStringLiteral("Meter"))->SetDisplayLabel(orvServer->daten.FieldByName(QStringLiteral("lDistance"))->AsString());
    fillZwGrid();
}

void Teingabe::fillZwGrid()
{
    if (!orvServer)
        return;
    TorvServer& s = *orvServer;
    TQuery& zeit = s.zeit;
    const bool units = hasUnits();
    const bool hrm = hrmTabActive();
    const int datId = units ? currentUnitId() : 0;
    // The edit form stays open after the fill, also when the fill fails.
    struct EditForm {
        TQuery& zeit;
        bool units;
        int datId;
        bool hrm;
        ~EditForm()
        {
            if (!units)
                return;
            zeit.Close();
            zeit.SetSQLText(zwgrid::editSql(datId, hrm));
            zeit.Open();
        }
    } editForm{zeit, units, datId, hrm};

    if (zeit.Active() && zwFillEnabled && splitPageShown()) {
        if (units) {
            zeit.Close();
            zeit.SetSQLText(zwgrid::readSql(datId, hrm, false));
            zeit.Open();
            zeit.First();
            zeit.FieldByName(QStringLiteral("Meter"))->SetDisplayLabel(s.daten.FieldByName(QStringLiteral("lDistance"))->AsString());
        }
        const int count = zeit.RecordCount();
        BusyScope busy(true, count, count > 50);
        // The split source's handlers are not needed for the rows moved through here.
        auto dataChange = std::exchange(s.dsZeit.OnDataChange, nullptr);
        auto stateChange = std::exchange(s.dsZeit.OnStateChange, nullptr);
        try {
            zwgrid::fill(*StringGrid1, zeit, zeit.FieldByName(QStringLiteral("Meter"))->DisplayLabel(), &BusyScope::step);
        } catch (...) {
            s.dsZeit.OnDataChange = dataChange;
            s.dsZeit.OnStateChange = stateChange;
            throw;
        }
        s.dsZeit.OnDataChange = dataChange;
        s.dsZeit.OnStateChange = stateChange;
        afterZwGridFill(datId, hrm);
        StringGrid1->SetFixedRows(1);
    }
    // The hint: the unit has heart-rate samples while the split tab shows none.
    bool samples = false;
    if (!hrm && (!zeit.Active() || zeit.IsEmpty()) && s.zeitAll.Active() && units)
        samples = s.unitHasZeitRows(datId);
    StaticText1->setVisible(samples);
}

void Teingabe::repaintZwGrid()
{
    StringGrid1->viewport()->update();
}

void Teingabe::TabControl1Change(QObject*)
{
    updateZwSql();
}

void Teingabe::StaticText1Click(QObject*)
{
    // Selecting the tab runs TabControl1Change through the tab's change signal.
    TabControl1->setCurrentIndex(1);
}

void Teingabe::StringGrid1DrawCell(QObject*, int ACol, int ARow, const QRect& Rect, TGridDrawState State)
{
    QPainter* canvas = StringGrid1->Canvas();
    if (!canvas)
        return;
    if (ARow == 0) {
        if (ACol == zwgrid::colDistance)
            canvas->drawPixmap(Rect.topLeft(), zwgrid::unitSwitchMark());
        return;
    }
    const QPalette pal = StringGrid1->palette();
    if (ACol == zwgrid::colTyp) {
        canvas->fillRect(Rect, pal.color(QPalette::Base));
        const int type = StringGrid1->Cells(ACol, ARow).isEmpty() ? 0 : StringGrid1->Cells(ACol, ARow).toInt();
        canvas->drawPixmap(Rect.topLeft(), ImageList5->GetBitmap(type));
        return;
    }
    if (ARow % 2 != 0)
        return;
    const QString text = StringGrid1->Cells(ACol, ARow);
    const QPen pen = canvas->pen();
    const bool selected = State.testFlag(gdSelected);
    canvas->fillRect(Rect, selected ? pal.color(QPalette::Highlight) : kRowTint);
    if (selected)
        canvas->setPen(pal.color(QPalette::HighlightedText));
    canvas->drawText(Rect.left() + 2, Rect.top() + 2 + canvas->fontMetrics().ascent(), text);
    canvas->setPen(pen);
}

void Teingabe::StringGrid1Click(QObject*)
{
    if (!orvServer || !orvServer->zeit.Active())
        return;
    TorvServer& s = *orvServer;
    s.SetZeitCalculation(false);
    try {
        s.zeit.First();
        s.zeit.MoveBy(StringGrid1->Row() - 1);
    } catch (...) {
        s.SetZeitCalculation(true);
        throw;
    }
    s.SetZeitCalculation(true);
}

void Teingabe::StringGrid1DblClick(QObject* Sender)
{
    XPButton19Click(Sender);
}

void Teingabe::StringGrid1MouseUp(QObject*, Qt::MouseButton Button, Qt::KeyboardModifiers, int X, int Y)
{
    if (Button != Qt::LeftButton)
        return;
    int col = -1, row = -1;
    StringGrid1->MouseToCell(X, Y, col, row);
    if (col == zwgrid::colDistance && row == 0)
        PopupMenu6->popup(StringGrid1->viewport()->mapToGlobal(QPoint(X, Y)));
}

void Teingabe::PopupMenu6Popup(QObject*)
{
    PopupMenu6->clear();
    if (!orvServer || !orvServer->distancespeed.Active())
        return;
    // A copy of the units, so that the lookups bound to the units keep their row.
    TDataSet units;
    units.Clone(orvServer->distancespeed);
    for (units.First(); !units.Eof(); units.Next()) {
        if (units.FieldByName(QStringLiteral("unt_type"))->AsInteger() != 1)
            continue;
        QAction* a = PopupMenu6->addAction(units.FieldByName(QStringLiteral("unt_name"))->AsString());
        connect(a, &QAction::triggered, this, [this, a] { RunGuarded([&] { mi1Click(a); }); });
    }
}

void Teingabe::mi1Click(QAction* item)
{
    if (StringGrid1->Cells(zwgrid::colDistance, 1).isEmpty() || !orvServer)
        return;
    const QString name = item->text();
    StringGrid1->SetCells(zwgrid::colDistance, 0, QStringLiteral("    ") + name);
    TDataSet& units = orvServer->distancespeed;
    const QVariant found = units.Lookup(QStringLiteral("unt_Name"), name, QStringLiteral("unt_calc;unt_format"));
    const QVariantList values = found.toList();
    if (values.size() < 2)
        return;
    const double factor = values[0].isNull() ? 0.0 : values[0].toDouble();
    const QString format = values[1].toString();
    for (int r = 1; r < StringGrid1->RowCount(); ++r) {
        const double value = StrToInt(StringGrid1->Cells(zwgrid::colMeter, r)) * factor;
        StringGrid1->SetCells(zwgrid::colDistance, r, format.isEmpty() ? FloatToStr(value) : FormatFloat(format, value));
    }
}

void Teingabe::btn_insertClick(QObject*)
{
    if (!orvServer || !orvServer->zeit.Active() || !hasUnits())
        return;
    TQuery& zeit = orvServer->zeit;
    zeit.Insert();
    zeit.FieldByName(QStringLiteral("zei_hrm"))->SetAsBoolean(hrmTabActive());
    showSplitEditDialog();
}

void Teingabe::XPButton19Click(QObject*)
{
    if (!orvServer || !orvServer->zeit.Active() || orvServer->zeit.IsEmpty())
        return;
    showSplitEditDialog();
}

void Teingabe::showSplitEditDialog()
{
    if (zwEditDlg)
        zwEditDlg->ShowModal();
}

void Teingabe::XPButton18Click(QObject* Sender)
{
    if (!orvServer || !orvServer->zeit.Active() || orvServer->zeit.IsEmpty())
        return;
    StringGrid1Click(Sender);
    if (MessageDlg(LoadStr(msg::ConfirmDeleteSplit), mtConfirmation, mbYesNo) != mrYes)
        return;
    TorvServer& s = *orvServer;
    // Exactly the selected row goes, found by its row id: another row of the unit with the same
    // distance and height (a sample beside a split, two points alike) stays.
    auto refresh = [this, &s] {
        if (!s.zeit.Active())
            s.zeit.Open();
        s.zeitAll.Close();
        s.zeitAll.Open();
        updateZwSql();
        fillZwGrid();
    };
    {
        BusyScope busy(false, 0, true);
        try {
            withFillSuspended(*this, [&] { s.zeit.Delete(); });
        } catch (...) {
            refresh();
            throw;
        }
        refresh();
    }
}

void Teingabe::XPButton6Click(QObject*)
{
    if (!hasUnits())
        return;
    if (MessageDlg(LoadStr(msg::ConfirmDeleteAllSplits), mtConfirmation, mbYesNo) != mrYes)
        return;
    TorvServer& s = *orvServer;
    s.zeit.Close();
    auto refresh = [this, &s] {
        s.zeit.Open();
        s.zeitAll.Close();
        s.zeitAll.Open();
        fillZwGrid();
    };
    BusyScope busy(false, 0, true);
    try {
        withFillSuspended(*this, [&] {
            // Only the rows of the kind the tab shows.
            s.delete_.Close();
            s.delete_.SetSQLText(QStringLiteral("DELETE * FROM zeit WHERE (zei_id = ") + QString::number(currentUnitId()) +
                                 QStringLiteral(") and (zei_hrm =") + (hrmTabActive() ? QStringLiteral("True") : QStringLiteral("False")) +
                                 QStringLiteral(")"));
            s.delete_.ExecSQL();
        });
    } catch (...) {
        refresh();
        throw;
    }
    refresh();
}

void Teingabe::XPButton20Click(QObject*)
{
    // The report lists the rows of the tab shown: splits or heart-rate samples.
    orvServer->zwReportHrm = hrmTabActive();
    printReport(QStringLiteral("Zwischenzeiten"), false);
}

void Teingabe::XPButton22Click(QObject*)
{
    PopupMenu3->popup(QCursor::pos());
}

void Teingabe::XPButton24Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(0, QStringLiteral("Zwischenzeiten"), callHelp);
}

void Teingabe::XPButton23Click(QObject*)
{
    if (!orvServer || !hasUnits())
        return;
    TQuery& zeit = orvServer->zeit;
    if (!zeit.Active() || zeit.IsEmpty()) {
        MessageDlg(LoadStr(msg::NoSplits), mtInformation, {mbOK});
        return;
    }
    // The graph's pulse filter lasts only while the graph is open.
    struct FilterBack {
        TQuery& zeit;
        QString filter;
        bool filtered;
        ~FilterBack()
        {
            zeit.SetFilter(filter);
            zeit.SetFiltered(filtered);
        }
    };
    TBookmark chosen;
    {
        FilterBack back{zeit, zeit.Filter(), zeit.Filtered()};
        zeit.First();
        ModalForm<TzwHRMGraph> graph(zwHRMGraph, MainForm);
        if (hrmTabActive())
            graph->XPButton9->SetDown(true);
        graph->ShowModal();
        chosen = graph->editRow;
    }
    // The split of the clicked point, found by its row in the page's own order.
    if (chosen.IsNull() || !zeit.Active() || !zeit.BookmarkValid(chosen))
        return;
    zeit.GotoBookmark(chosen);
    const int row = zeit.RecNo();
    if (row < 1 || row >= StringGrid1->RowCount())
        return;
    StringGrid1->SetRow(row);
    StringGrid1Click(StringGrid1);
}

void Teingabe::fillRouteMenu(QMenu* menu)
{
    menu->clear();
    if (!orvServer || !orvServer->strecke.Active())
        return;
    // Each entry carries its route's id: two routes of one name stay two routes, and a name
    // is shown as it is ("&" is no accelerator here).
    TDataSet routes;
    routes.Clone(orvServer->strecke);
    for (routes.First(); !routes.Eof(); routes.Next()) {
        QString caption = routes.FieldByName(QStringLiteral("Name"))->AsString();
        QAction* a = menu->addAction(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
        a->setData(routes.FieldByName(QStringLiteral("StrIndex"))->Value());
        connect(a, &QAction::triggered, this, [this, a] { RunGuarded([&] { ItemClick(a); }); });
    }
}

void Teingabe::ItemClick(QAction* item)
{
    if (!orvServer || !hasUnits())
        return;
    requireSavedUnit();
    TorvServer& s = *orvServer;
    if (!s.strecke.Locate(QStringLiteral("StrIndex"), item->data()))
        return;
    TDataSet& points = s.strPunkte;
    TQuery& zeit = s.zeit;
    points.First();
    insertSplitRows(points.RecordCount(), true, [&](int i) {
        if (i > 0)
            points.Next();
        zeit.FieldByName(QStringLiteral("Meter"))->SetAsInteger(points.FieldByName(QStringLiteral("Meter"))->AsInteger());
        zeit.FieldByName(QStringLiteral("HDiff"))->SetAsInteger(points.FieldByName(QStringLiteral("Hoehe"))->AsInteger());
        zeit.FieldByName(QStringLiteral("Zwischenzeit"))->SetAsDateTime(0);
        zeit.FieldByName(QStringLiteral("Notitz"))->SetAsString(points.FieldByName(QStringLiteral("Streckenpunkt"))->AsString());
        // A split row, as a Yes/No column of the database is never empty.
        zeit.FieldByName(QStringLiteral("zei_hrm"))->SetAsBoolean(false);
    });
}

void Teingabe::afterZwGridFill(int datId, bool hrm)
{
    orvServer->calcZwStatistics(zwgrid::statisticsCondition(datId, hrm), zwgrid::dataRows(*StringGrid1));
    if (zwInfo)
        zwInfo->getValues();
}
