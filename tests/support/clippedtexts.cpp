#include "tests/support/clippedtexts.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>

#include <cmath>

#include "platform/db/dataset.h"
#include "platform/db/fields.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/grids.h"

namespace {

// Shown when the window is: the control and every container up to the window are not hidden.
bool shown(const QWidget* w, const QWidget* window)
{
    for (; w && w != window; w = w->parentWidget())
        if (w->isHidden())
            return false;
    return true;
}

QString pathOf(const QWidget* w, const QWidget* window)
{
    const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return window->objectName() + QLatin1Char('/') + name;
}

int textWidth(const QFontMetrics& fm, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.boundingRect(QRect(), Qt::TextShowMnemonic, line).width());
    return widest;
}

std::optional<TextRoom> labelRoom(const QLabel* l)
{
    if (l->text().isEmpty() || !l->pixmap().isNull())
        return std::nullopt;
    QRect cr = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const QFontMetrics fm(l->font());
    int indent = l->indent();
    if (indent < 0 && l->frameWidth() > 0)
        indent = fm.horizontalAdvance(QLatin1Char('x')) / 2 - l->margin();
    if (indent > 0 && (l->alignment() & (Qt::AlignLeft | Qt::AlignRight)))
        cr.setWidth(cr.width() - indent);
    const bool rich = l->textFormat() == Qt::RichText ||
                      (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
    if (l->wordWrap()) {
        // A wrapped text may take lines, but not more than the label's height.
        const int need = l->heightForWidth(l->width());
        if (need > l->height())
            return TextRoom{need, l->height(), l->text() + QStringLiteral(" (height)")};
        return std::nullopt;
    }
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setHtml(l->text());
        return TextRoom{int(std::ceil(doc.idealWidth())), cr.width(), doc.toPlainText()};
    }
    return TextRoom{textWidth(fm, l->text()), cr.width(), l->text()};
}

std::optional<TextRoom> buttonRoom(QAbstractButton* b)
{
    if (b->text().isEmpty())
        return std::nullopt;
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    const QFontMetrics fm(b->font());
    int need = textWidth(fm, b->text());
    if (!b->icon().isNull())
        need += b->iconSize().width() + 4;
    QRect contents;
    if (qobject_cast<QCheckBox*>(b))
        contents = b->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, b);
    else if (qobject_cast<QRadioButton*>(b))
        contents = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b);
    else if (qobject_cast<QPushButton*>(b))
        contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
    else
        contents = b->rect().adjusted(3, 0, -3, 0);
    // The part of the contents inside the button (a check box may be narrower than its box).
    contents &= b->rect();
    return TextRoom{need, contents.width(), b->text()};
}

std::optional<TextRoom> groupRoom(QGroupBox* g)
{
    if (g->title().isEmpty())
        return std::nullopt;
    QStyleOptionGroupBox opt;
    opt.initFrom(g);
    opt.text = g->title();
    opt.lineWidth = 1;
    opt.midLineWidth = 0;
    opt.textAlignment = g->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (g->isCheckable())
        opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
    const int need = textWidth(QFontMetrics(g->font()), g->title());
    const int has = std::min(label.right(), g->rect().right()) - label.left() + 1;
    return TextRoom{need, std::min(has, label.width()), g->title()};
}

void addIfCut(QStringList& cut, const QString& where, const TextRoom& room)
{
    if (room.need > room.has)
        cut << QStringLiteral("%1 '%2' needs %3 px, has %4 px").arg(where, room.text).arg(room.need).arg(room.has);
}

void checkTabs(QStringList& cut, QTabBar* bar, const QString& where)
{
    const QFontMetrics fm(bar->font());
    const int hspace = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    for (int i = 0; i < bar->count(); ++i) {
        if (!bar->isTabVisible(i))
            continue;
        const QRect r = bar->tabRect(i);
        const QString text = bar->tabText(i);
        // A tab scrolled out of the bar is cut as much as an elided one.
        const int has = std::min(r.right(), bar->rect().right()) - std::max(r.left(), 0) + 1 - hspace;
        addIfCut(cut, where + QStringLiteral(" tab"), TextRoom{textWidth(fm, text), has, text});
    }
}

void checkHeader(QStringList& cut, QHeaderView* header, const QString& where)
{
    if (header->isHidden() || !header->model())
        return;
    const QFontMetrics fm(header->font());
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i) || header->sectionSize(i) == 0)
            continue;
        const QString text = header->model()->headerData(i, header->orientation(), Qt::DisplayRole).toString();
        if (text.isEmpty())
            continue;
        addIfCut(cut, where + QStringLiteral(" column"),
                 TextRoom{textWidth(fm, text) + 2 * margin, header->sectionSize(i), text});
    }
}

// Cell texts are drawn 2 pixels in from the cell's left edge; 2 more keep them off the next line.
constexpr int kCellMargins = 4;

void checkStringGrid(QStringList& cut, TStringGrid* grid, const QString& where)
{
    const QFontMetrics fm(grid->font());
    for (int c = 0; c < grid->ColCount(); ++c) {
        const int width = grid->ColWidths(c);
        if (width <= 0)
            continue;
        for (int r = 0; r < grid->RowCount(); ++r) {
            const QString text = grid->Cells(c, r);
            const bool title = r < grid->FixedRows() || c < grid->FixedCols();
            if (text.isEmpty() || (!title && !LooksLikeValue(text)))
                continue;
            addIfCut(cut, where + (title ? QStringLiteral(" title") : QStringLiteral(" value")),
                     TextRoom{fm.horizontalAdvance(text) + kCellMargins, width, text});
        }
    }
}

bool isValueField(const TField* f)
{
    switch (f->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
    case ftAutoInc:
    case ftFloat:
    case ftDate:
    case ftTime:
    case ftDateTime:
        return true;
    default:
        return false;
    }
}

void checkDBGrid(QStringList& cut, TDBGrid* grid, const QString& where)
{
    const int indicator = (grid->Options() & dgIndicator) ? 1 : 0;
    const bool titles = grid->Options() & dgTitles;
    TDataLink* link = grid->DataLink();
    int col = indicator;
    for (int i = 0; i < grid->Columns().Count(); ++i) {
        TColumn* column = grid->Columns()[i];
        if (!column->Visible())
            continue;
        const int width = col < grid->ColCount() ? grid->ColWidths(col) : 0;
        ++col;
        if (width <= 0)
            continue;
        if (titles && !column->Title().Caption().isEmpty())
            addIfCut(cut, where + QStringLiteral(" title"),
                     TextRoom{QFontMetrics(grid->TitleFont()).horizontalAdvance(column->Title().Caption()) + kCellMargins,
                              width, column->Title().Caption()});
        TField* f = column->Field();
        if (!f || !isValueField(f) || !link->Active())
            continue;
        const int active = link->ActiveRecord();
        const QFontMetrics fm(column->Font());
        for (int r = 0; r < link->RecordCount(); ++r) {
            link->SetActiveRecord(r);
            const QString text = f->DisplayText();
            if (!text.isEmpty())
                addIfCut(cut, where + QStringLiteral(" value"), TextRoom{fm.horizontalAdvance(text) + kCellMargins, width, text});
        }
        link->SetActiveRecord(active);
    }
}

}  // namespace

bool LooksLikeValue(const QString& text)
{
    static const QRegularExpression value(
        QStringLiteral("^[-+]?\\d[\\d.,:/' ]*(\\s?(%|°C?|[A-Za-z]{1,3}(/[A-Za-z0-9]{1,4})?\\.?))?$"));
    return value.match(text.trimmed()).hasMatch();
}

namespace {

// Measures `root` and what is shown below it.
void measure(QStringList& cut, QWidget* root, QWidget* window, const TextRoomProbe& probe)
{
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (w->isWindow() && w != window)
            continue;
        if (!shown(w, window) || w->width() <= 0)
            continue;
        const QString where = pathOf(w, window);
        if (probe) {
            if (std::optional<TextRoom> room = probe(w)) {
                addIfCut(cut, where, *room);
                continue;
            }
        }
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (std::optional<TextRoom> room = labelRoom(l))
                addIfCut(cut, where, *room);
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            if (std::optional<TextRoom> room = groupRoom(g))
                addIfCut(cut, where, *room);
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            // Tool buttons of tool bars and Qt's own parts (scroll arrows, tab scrollers) are sized by Qt.
            if (b->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<QToolButton*>(b))
                continue;
            if (std::optional<TextRoom> room = buttonRoom(b))
                addIfCut(cut, where, *room);
        } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
            checkTabs(cut, bar, pathOf(bar->parentWidget() ? bar->parentWidget() : bar, window));
        } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
            checkHeader(cut, header, pathOf(header->parentWidget() ? header->parentWidget() : header, window));
        } else if (auto* sg = qobject_cast<TStringGrid*>(w)) {
            checkStringGrid(cut, sg, where);
        } else if (auto* dg = qobject_cast<TDBGrid*>(w)) {
            checkDBGrid(cut, dg, where);
        }
    }
}

// Measures `root`, then every page of each page control below it that is not the one shown:
// the page is shown in its place for the time of the measuring (laid out as when its tab is
// chosen; the page control's handlers are not called), and the page shown before comes back.
void measureWithPages(QStringList& cut, QWidget* root, QWidget* window, const TextRoomProbe& probe)
{
    measure(cut, root, window, probe);
    QList<QStackedWidget*> stacks = root->findChildren<QStackedWidget*>();
    if (auto* self = qobject_cast<QStackedWidget*>(root))
        stacks.prepend(self);
    for (QStackedWidget* stack : stacks) {
        if (!shown(stack, window) || stack->window() != window)
            continue;
        const int current = stack->currentIndex();
        for (int i = 0; i < stack->count(); ++i) {
            if (i == current)
                continue;
            const QSignalBlocker quiet(stack);
            stack->setCurrentIndex(i);
            QApplication::processEvents();
            measureWithPages(cut, stack->widget(i), window, probe);
        }
        const QSignalBlocker quiet(stack);
        stack->setCurrentIndex(current);
    }
}

}  // namespace

QStringList ClippedTexts(QWidget* window, const TextRoomProbe& probe)
{
    QStringList cut;
    measureWithPages(cut, window, window, probe);
    QApplication::processEvents();
    return cut;
}
