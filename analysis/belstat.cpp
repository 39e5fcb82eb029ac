#include "analysis/belstat.h"

#include "ui_belstat.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPainter>

#include <algorithm>

#include "analysis/loadstatistics.h"
#include "analysis/zeitraumneu.h"
#include "controls/xpbutton.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "platform/chart/chartwidget.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/report/printformimage.h"
#include "platform/rtl/graphics.h"
#include "platform/vcl/events.h"
#include "platform/vcl/grids.h"

TbelStat* belStat = nullptr;
double BelStatUnitFactor = 1.0;

namespace {

// The printed strip: headings, basis captions and lists; the charts lie to the right of it.
constexpr int kPrintWidth = 360;

// The small arrow on the right of a basis button: it opens a menu.
QImage menuArrowGlyph()
{
    QImage img(9, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 52, 72));
    const QPointF arrow[] = {{1.0, 6.0}, {8.0, 6.0}, {4.5, 10.0}};
    p.drawPolygon(arrow, 3);
    return img;
}

void setPanelColour(QWidget* panel, const QColor& c)
{
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, c);
    panel->setPalette(pal);
}

void setUpList(TStringGrid* grid)
{
    grid->SetFixedCols(0);
    grid->SetFixedRows(0);
    grid->SetColCount(2);
    grid->SetRowCount(1);
    grid->SetDefaultRowHeight(18);
    grid->SetColWidths(0, 148);
    grid->SetColWidths(1, 148);
}

void setUpChart(ChartWidget* chart)
{
    chart->BeginUpdate();
    chart->SetGallery(ChartKind::Pie);
    chart->SetLegendVisible(true);
    chart->SeriesObject(0).SetPointLabels(false);
    chart->EndUpdate();
}

// The list of a half: one row per group, at least one row; a period without groups leaves one
// empty row, not the previous period's first group.
void fillList(TStringGrid* grid, const QList<TLoadGroup>& groups)
{
    for (int j = 0; j < groups.size(); ++j) {
        grid->SetCells(0, j, groups[j].Name);
        grid->SetCells(1, j, LoadSumText(groups[j], BelStatUnitFactor));
    }
    grid->SetRowCount(std::max(int(groups.size()), 1));
    if (groups.isEmpty()) {
        grid->SetCells(0, 0, QString());
        grid->SetCells(1, 0, QString());
    }
}

}  // namespace

TbelStat::TbelStat(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TbelStat>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setObjectName(QStringLiteral("belStat"));
    Panel1 = ui->Panel1;
    XPButton7 = ui->XPButton7;
    XPButton1 = ui->XPButton1;
    Panel2 = ui->Panel2;
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    XPButton3 = ui->XPButton3;
    StringGrid1 = ui->StringGrid1;
    Panel3 = ui->Panel3;
    ChartFX41 = ui->ChartFX41;
    Panel4 = ui->Panel4;
    Label3 = ui->Label3;
    Label4 = ui->Label4;
    XPButton4 = ui->XPButton4;
    StringGrid2 = ui->StringGrid2;
    Panel5 = ui->Panel5;
    ChartFX42 = ui->ChartFX42;

    // The lines under the headings run across their panel: as many underscores as this machine's
    // font fits between the panel's margins (the panels keep their width, the print's width).
    for (QLabel* rule : {Label2, Label4}) {
        const QWidget* panel = rule->parentWidget();
        const QMargins m = panel->layout()->contentsMargins();
        const int room = panel->maximumWidth() - m.left() - m.right() - 2 * rule->margin();
        const int underscore = rule->fontMetrics().horizontalAdvance(QLatin1Char('_'));
        rule->setText(QString(std::max(1, room / std::max(1, underscore)), QLatin1Char('_')));
    }

    // The basis menus hold the separator and "Zeit"; the distance units are put in front of them
    // at every popup.
    auto makeMenu = [this](const char* name, const char* separator, const char* time, QAction*& sep, QAction*& zeit,
                           void (TbelStat::*timeHandler)(QObject*), void (TbelStat::*popupHandler)(QObject*)) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(name));
        menu->setStyle(new FlatMenuStyle(style()));
        sep = menu->addSeparator();
        sep->setObjectName(QString::fromLatin1(separator));
        zeit = menu->addAction(tr("Zeit"));
        zeit->setObjectName(QString::fromLatin1(time));
        QAction* item = zeit;
        connect(zeit, &QAction::triggered, this, [this, item, timeHandler] { Handler(this, timeHandler)(item); });
        connect(menu, &QMenu::aboutToShow, this, [this, menu, popupHandler] { Handler(this, popupHandler)(menu); });
        return menu;
    };
    PopupMenu1 = makeMenu("PopupMenu1", "N1", "Zeit1", N1, Zeit1, &TbelStat::Zeit1Click, &TbelStat::PopupMenu1Popup);
    PopupMenu2 = makeMenu("PopupMenu2", "N2", "MenuItem2", N2, MenuItem2, &TbelStat::MenuItem2Click,
                          &TbelStat::PopupMenu2Popup);

    for (TXPButton* b : {XPButton3, XPButton4})
        b->SetGlyph(menuArrowGlyph());
    for (QWidget* panel : {static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Panel4)})
        setPanelColour(panel, ToQColor(clBtnFace));
    setUpList(StringGrid1);
    setUpList(StringGrid2);

    XPButton7->OnClick = Handler(this, &TbelStat::XPButton7Click);
    XPButton1->OnClick = Handler(this, &TbelStat::XPButton1Click);
    XPButton3->OnClick = Handler(this, &TbelStat::XPButton3Click);
    XPButton4->OnClick = Handler(this, &TbelStat::XPButton4Click);
    OnShow = Handler(this, &TbelStat::FormShow);

    // Tab stops on every button; the button answers Space and Return itself.
    for (TXPButton* b : {XPButton7, XPButton1, XPButton3, XPButton4})
        b->setFocusPolicy(Qt::StrongFocus);
    QWidget* order[] = {XPButton7, XPButton1, XPButton3, StringGrid1, XPButton4, StringGrid2};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    FormCreate(this);
}

TbelStat::~TbelStat()
{
    if (belStat == this)
        belStat = nullptr;
}

void TbelStat::FormCreate(QObject*)
{
    // Both charts are pies with a slice per group; the legend names the slices by colour.
    for (ChartWidget* chart : {ChartFX41, ChartFX42})
        setUpChart(chart);
}

void TbelStat::FormShow(QObject*)
{
    // Every showing starts from the distance unit of the settings.
    const QVariant configured = orvServer->config.Active()
                                    ? orvServer->config.FieldByName(QStringLiteral("cfg_wochenmonatUnt"))->Value()
                                    : QVariant();
    const QVariant unit = configured.isNull()
                              ? QVariant()
                              : orvServer->distancespeed.Lookup(QStringLiteral("unt_id"), configured,
                                                                QStringLiteral("unt_calc;unt_name"));
    if (!unit.isNull()) {
        const QVariantList values = unit.toList();
        BelStatUnitFactor = values.value(0).isNull() ? 1.0 : values.value(0).toDouble();
        const QString caption = LoadStr(msg::BasisPrefix) + values.value(1).toString() + QLatin1Char(')');
        XPButton3->SetCaption(caption);
        XPButton4->SetCaption(caption);
    } else {
        BelStatUnitFactor = 1.0;
    }
    fillStatistics(ChartFX42, QStringLiteral("Belastungsart"), QStringLiteral("Meter"));
    fillStatistics(ChartFX41, QStringLiteral("Belastungsstufe"), QStringLiteral("Meter"));
}

void TbelStat::fillStatistics(ChartWidget* chart, const QString& grouping, const QString& basis)
{
    chart->RefreshChart(0x0FFFFFFF);
    // The period is the period window's last quick query; without one there is nothing to sum.
    const QString where = ZeitNeu ? ZeitNeu->QuickWhere : QString();
    const QString sql = where.isEmpty() ? QString() : LoadStatisticsStatement(grouping, basis, where);
    if (sql.isEmpty())
        return;
    // A statement the database refuses ends this half's fill here: its list and chart keep what
    // they showed.
    TQuery query;
    query.SetConnection(&orvServer->orvDB);
    query.SetSQLText(sql);
    query.Open();
    const QList<TLoadGroup> groups = ReadLoadGroups(query, grouping, basis);
    query.Close();
    FillLoadChart(*chart, groups);
    fillList(grouping == QLatin1String("Belastungsstufe") ? StringGrid1 : StringGrid2, groups);
}

namespace {

// Pops a basis menu up at the mouse when the mouse pressed the button, else under the button.
void popUnder(QMenu* menu, QWidget* button)
{
    const QPoint at = button->underMouse() ? QCursor::pos() : button->mapToGlobal(QPoint(0, button->height()));
    menu->popup(at);
}

}  // namespace

void TbelStat::XPButton3Click(QObject*)
{
    popUnder(PopupMenu1, XPButton3);
}

void TbelStat::XPButton4Click(QObject*)
{
    popUnder(PopupMenu2, XPButton4);
}

void TbelStat::rebuildUnitItems(QMenu* menu, void (TbelStat::*handler)(QObject*))
{
    // "-" and "Zeit" stay; the units before them are made anew.
    while (menu->actions().size() > 2) {
        QAction* first = menu->actions().first();
        menu->removeAction(first);
        first->deleteLater();
    }
    TTable& units = orvServer->distancespeed;
    if (!units.Active())
        return;
    // The distance units in the table's order; the table's current row is left where it was.
    QStringList names;
    const TBookmark here = units.GetBookmark();
    units.DisableControls();
    try {
        for (units.First(); !units.Eof(); units.Next())
            if (units.FieldByName(QStringLiteral("unt_type"))->AsInteger() == 1)
                names << units.FieldByName(QStringLiteral("unt_name"))->AsString();
        if (!here.IsNull())
            units.GotoBookmark(here);
    } catch (...) {
        units.EnableControls();
        throw;
    }
    units.EnableControls();
    QAction* before = menu->actions().value(0);
    for (const QString& name : names) {
        // "&&": the caption shows the exact unit name, without an accelerator.
        auto* item = new QAction(QString(name).replace(QLatin1Char('&'), QLatin1String("&&")), menu);
        item->setData(name);
        connect(item, &QAction::triggered, this, [this, item, handler] { Handler(this, handler)(item); });
        menu->insertAction(before, item);
    }
}

void TbelStat::PopupMenu1Popup(QObject*)
{
    rebuildUnitItems(PopupMenu1, &TbelStat::Meter1Click);
}

void TbelStat::PopupMenu2Popup(QObject*)
{
    rebuildUnitItems(PopupMenu2, &TbelStat::MenuItem1Click);
}

void TbelStat::chooseUnit(QObject* Sender, ChartWidget* chart, const QString& grouping, TXPButton* button)
{
    auto* item = qobject_cast<QAction*>(Sender);
    if (!item)
        return;
    const QString name = item->data().toString();
    const QVariant calc =
        orvServer->distancespeed.Lookup(QStringLiteral("unt_name"), name, QStringLiteral("unt_calc"));
    BelStatUnitFactor = calc.isNull() ? 1.0 : calc.toDouble();
    fillStatistics(chart, grouping, QStringLiteral("Meter"));
    button->SetCaption(LoadStr(msg::BasisPrefix) + name + QLatin1Char(')'));
}

void TbelStat::Meter1Click(QObject* Sender)
{
    chooseUnit(Sender, ChartFX41, QStringLiteral("Belastungsstufe"), XPButton3);
}

void TbelStat::Zeit1Click(QObject*)
{
    fillStatistics(ChartFX41, QStringLiteral("Belastungsstufe"), QStringLiteral("Zeit"));
    XPButton3->SetCaption(LoadStr(msg::BasisTime));
}

void TbelStat::MenuItem1Click(QObject* Sender)
{
    chooseUnit(Sender, ChartFX42, QStringLiteral("Belastungsart"), XPButton4);
}

void TbelStat::MenuItem2Click(QObject*)
{
    fillStatistics(ChartFX42, QStringLiteral("Belastungsart"), QStringLiteral("Zeit"));
    XPButton4->SetCaption(LoadStr(msg::BasisTime));
}

void TbelStat::XPButton1Click(QObject*)
{
    // The print shows the halves on white without the tool bar; the window looks as before
    // afterwards, also when printing fails.
    Panel1->hide();
    for (QWidget* panel : {static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Panel4)})
        setPanelColour(panel, Qt::white);
    struct Restore {
        TbelStat* w;
        ~Restore()
        {
            for (QWidget* panel : {static_cast<QWidget*>(w->Panel2), static_cast<QWidget*>(w->Panel4)})
                setPanelColour(panel, ToQColor(clBtnFace));
            w->Panel1->show();
        }
    } restore{this};
    if (layout())
        layout()->activate();
    QApplication::processEvents();
    const QImage strip = grab(QRect(0, 0, std::min(kPrintWidth, width()), height())).toImage();
    TPreparedReport page = FormImagePage(strip, poProportional);
    page.title = windowTitle();
    PrintToTarget(page, TPrintTarget());
}

void TbelStat::XPButton7Click(QObject*)
{
    Close();
}
