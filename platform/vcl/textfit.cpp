#include "platform/vcl/textfit.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOption>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>

#include "platform/vcl/forms.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {

// The room kept between a control and the one it pushes, at most (a gap laid out smaller stays).
constexpr int kMaxClearance = 6;
// The room kept between the last control and the right edge of its container, at most.
constexpr int kMaxPadding = 4;

int textWidth(const QFontMetrics& fm, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.boundingRect(QRect(), Qt::TextShowMnemonic, line).width());
    return widest;
}

int labelNeed(const QLabel* l)
{
    if (l->text().isEmpty() || !l->pixmap().isNull() || l->wordWrap())
        return 0;
    // A label's size hint is its text with its frame, margin and indent.
    return l->sizeHint().width();
}

int pushButtonNeed(const QPushButton* b)
{
    if (b->text().isEmpty())
        return 0;
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    if (b->isFlat())
        opt.features |= QStyleOptionButton::Flat;
    const QRect contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
    int need = textWidth(b->fontMetrics(), b->text()) + 2;
    if (!b->icon().isNull())
        need += b->iconSize().width() + 4;
    return need + (b->width() - contents.width());
}

int groupTitleNeed(const QGroupBox* g)
{
    if (g->title().isEmpty())
        return 0;
    QStyleOptionGroupBox opt;
    opt.initFrom(g);
    opt.rect.setWidth(100000);
    opt.text = g->title();
    opt.lineWidth = 1;
    opt.textAlignment = g->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (g->isCheckable())
        opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
    // The title's own width between the same margins on both sides.
    return label.width() + 2 * std::max(0, label.left()) + 2;
}

bool aligned(const QWidget* w)
{
    const QVariant align = w->property("Align");
    return align.isValid() && align.toInt() != 0;
}

// A control that can give up width to a neighbour: its content scrolls or is typed in.
bool isField(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractScrollArea*>(w);
}

// A plain container whose children stand where the window put them.
bool isPlainContainer(const QWidget* w)
{
    if (w->metaObject() == &QWidget::staticMetaObject || qobject_cast<const QGroupBox*>(w))
        return true;
    if (qobject_cast<const TFrame*>(w))
        return true;
    return qobject_cast<const QFrame*>(w) && !qobject_cast<const QAbstractScrollArea*>(w) &&
           !qobject_cast<const QLabel*>(w) && !qobject_cast<const QSplitter*>(w) &&
           !qobject_cast<const QStackedWidget*>(w) && w->metaObject() == &QFrame::staticMetaObject;
}

// Where a text grows: the share to the left of its control.
enum class Growth { Right, Left, Centre };

Growth growthOf(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->alignment() & Qt::AlignRight)
            return Growth::Left;
        if (l->alignment() & Qt::AlignHCenter)
            return Growth::Centre;
        return Growth::Right;
    }
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w) || qobject_cast<const QGroupBox*>(w))
        return Growth::Right;
    return Growth::Centre;
}

bool overlapVertically(const QRect& a, const QRect& b)
{
    return a.top() < b.bottom() + 1 && b.top() < a.bottom() + 1;
}


// Fits again whatever shows a changed text: a label or button whose text changes asks its
// container for a new layout.
class RefitFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override;
};

RefitFilter& refitFilter()
{
    static RefitFilter* filter = new RefitFilter;
    return *filter;
}

class Fitter {
public:
    // Fits the children of a container without a layout; returns the width it needs.
    int fitContainer(QWidget* p);
    // Fits the containers without a layout somewhere below a widget that has one (or that places
    // its children itself), and makes each ask its layout for the width it needs.
    void fitBelow(QWidget* w);
    // The width a child needs, fitting what it holds.
    int needOf(QWidget* c);

private:
    void push(QWidget* b, int delta, const QRect& original);
};

int Fitter::needOf(QWidget* c)
{
    if (c->layout()) {
        fitBelow(c);
        return std::max(c->width(), c->minimumSizeHint().width());
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(c)) {
        int extra = 0;
        for (int i = 0; i < tabs->count(); ++i) {
            QWidget* page = tabs->widget(i);
            const int need = page->layout() ? (fitBelow(page), page->width()) : fitContainer(page);
            extra = std::max(extra, need - page->width());
        }
        return c->width() + extra;
    }
    if (auto* stack = qobject_cast<QStackedWidget*>(c)) {
        int extra = 0;
        for (int i = 0; i < stack->count(); ++i) {
            QWidget* page = stack->widget(i);
            const int need = page->layout() ? (fitBelow(page), page->width()) : fitContainer(page);
            extra = std::max(extra, need - page->width());
        }
        return c->width() + extra;
    }
    if (auto* scroll = qobject_cast<QScrollArea*>(c)) {
        if (QWidget* inner = scroll->widget()) {
            const int need = inner->layout() ? (fitBelow(inner), inner->width()) : fitContainer(inner);
            if (need > inner->width()) {
                if (scroll->widgetResizable())
                    inner->setMinimumWidth(need);
                else
                    inner->resize(need, inner->height());
            }
        }
        return c->width();
    }
    if (isPlainContainer(c)) {
        int need = fitContainer(c);
        if (auto* g = qobject_cast<QGroupBox*>(c))
            need = std::max(need, groupTitleNeed(g));
        return need;
    }
    if (qobject_cast<QSplitter*>(c)) {
        fitBelow(c);
        return c->width();
    }
    return std::max(c->width(), TextFitWidth(c));
}

void Fitter::fitBelow(QWidget* w)
{
    for (QObject* o : w->children()) {
        auto* c = qobject_cast<QWidget*>(o);
        if (!c || c->isWindow())
            continue;
        if (c->layout() || qobject_cast<QSplitter*>(c)) {
            fitBelow(c);
            continue;
        }
        if (isPlainContainer(c) || qobject_cast<QTabWidget*>(c) || qobject_cast<QStackedWidget*>(c) ||
            qobject_cast<QScrollArea*>(c)) {
            const int need = needOf(c);
            // Placed by its parent's layout: the layout gives it the width it asks for.
            if (need > c->width() && w->layout())
                c->setMinimumWidth(need);
        }
    }
}

void Fitter::push(QWidget* b, int delta, const QRect& original)
{
    const QRect g = b->geometry();
    // A field wide enough gives up the room and keeps its right edge.
    const int least = std::max({40, original.width() * 2 / 3, b->minimumWidth()});
    if (isField(b) && g.width() - delta >= least && TextFitWidth(b) <= g.width() - delta) {
        b->setGeometry(g.x() + delta, g.y(), g.width() - delta, g.height());
        return;
    }
    b->move(g.x() + delta, g.y());
}

int Fitter::fitContainer(QWidget* p)
{
    p->installEventFilter(&refitFilter());
    std::vector<QWidget*> kids;
    for (QObject* o : p->children())
        if (auto* c = qobject_cast<QWidget*>(o); c && !c->isWindow())
            kids.push_back(c);
    if (kids.empty())
        return p->width();

    std::map<QWidget*, QRect> original;
    int rightmost = 0;
    for (QWidget* c : kids) {
        original[c] = c->geometry();
        rightmost = std::max(rightmost, c->geometry().right() + 1);
    }
    const int padding = std::clamp(p->width() - rightmost, 0, kMaxPadding);

    std::map<QWidget*, int> need;
    int alignedExtra = 0;
    for (QWidget* c : kids) {
        const int n = needOf(c);
        if (n <= c->width())
            continue;
        if (aligned(c))
            alignedExtra = std::max(alignedExtra, n - c->width());  // the parent's alignment places it
        else
            need[c] = n;
    }
    // Labels in one column grow together.
    for (QWidget* c : kids) {
        auto* l = qobject_cast<QLabel*>(c);
        if (!l || !need.count(c))
            continue;
        const QRect r = original[c];
        for (QWidget* o : kids) {
            auto* other = qobject_cast<QLabel*>(o);
            if (!other || other == l || aligned(o) || original[o].x() != r.x() || original[o].width() != r.width() ||
                other->alignment() != l->alignment())
                continue;
            need[o] = std::max(need.count(o) ? need[o] : o->width(), need[c]);
        }
    }

    // Grow, using the free room on the left where the text grows that way.
    for (auto& [c, n] : need) {
        const QRect r = original[c];
        const int grow = n - r.width();
        // The room on the left: up to the nearest control there (keeping the gap, at most
        // kMaxClearance) or the container's edge (keeping its margin, at most kMaxPadding).
        int freeLeft = r.x() - std::min(r.x(), kMaxPadding);
        for (QWidget* o : kids) {
            const QRect q = original[o];
            if (o == c || !overlapVertically(q, r) || q.right() >= r.x())
                continue;
            const int gap = r.x() - (q.right() + 1);
            freeLeft = std::min(freeLeft, gap - std::min(gap, kMaxClearance));
        }
        int left = 0;
        switch (growthOf(c)) {
        case Growth::Left: left = std::min(grow, freeLeft); break;
        case Growth::Centre: left = std::min(grow / 2, freeLeft); break;
        case Growth::Right: break;
        }
        c->setGeometry(r.x() - left, r.y(), n, r.height());
    }

    // Push what stands to the right of a grown or moved control, until nothing overlaps anew.
    if (!need.empty()) {
        for (size_t round = 0; round <= kids.size(); ++round) {
            bool moved = false;
            for (QWidget* a : kids) {
                const QRect oa = original[a];
                const QRect ca = a->geometry();
                if (ca.right() == oa.right())
                    continue;
                for (QWidget* b : kids) {
                    if (b == a || aligned(b))
                        continue;
                    const QRect ob = original[b];
                    if (ob.x() < oa.right() + 1 || !overlapVertically(oa, ob))
                        continue;
                    const int clearance = std::min(kMaxClearance, ob.x() - (oa.right() + 1));
                    const int required = ca.right() + 1 + clearance;
                    if (b->x() < required) {
                        push(b, required - b->x(), ob);
                        moved = true;
                    }
                }
            }
            if (!moved)
                break;
        }
    }

    int extent = 0;
    for (QWidget* c : kids)
        extent = std::max(extent, c->geometry().right() + 1);
    return std::max(p->width(), std::max(extent + padding, p->width() + alignedExtra));
}

void growRoot(QWidget* root, int need)
{
    if (need <= root->width())
        return;
    if (!root->isWindow()) {
        if (root->parentWidget() && root->parentWidget()->layout())
            root->setMinimumWidth(need);
        return;
    }
    if (!qobject_cast<QDialog*>(root))
        return;
    const QScreen* screen = root->screen() ? root->screen() : QGuiApplication::primaryScreen();
    if (screen)
        need = std::min(need, screen->availableGeometry().width());
    const int grow = need - root->width();
    if (grow <= 0)
        return;
    if (root->minimumWidth() == root->maximumWidth())
        root->setFixedWidth(need);
    else if (root->maximumWidth() < need)
        root->setMaximumWidth(need);
    const QRect before = root->geometry();
    root->resize(need, root->height());
    // A window keeps its centre, inside the screen.
    int x = before.x() - grow / 2;
    if (screen)
        x = std::clamp(x, screen->availableGeometry().left(),
                       std::max(screen->availableGeometry().left(), screen->availableGeometry().right() + 1 - need));
    root->move(x, root->y());
}

bool fitting = false;

bool RefitFilter::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::LayoutRequest && !fitting) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isVisible() && !w->layout())
            FitTexts(w->window());
    }
    return false;
}

}  // namespace

int TextFitWidth(const QWidget* control)
{
    if (auto* own = dynamic_cast<const TTextFitControl*>(control))
        return own->TextFitWidth();
    if (auto* l = qobject_cast<const QLabel*>(control))
        return labelNeed(l);
    if (qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control)) {
        auto* b = static_cast<const QAbstractButton*>(control);
        // The box, the spacing and the text, as the control itself asks for them.
        return b->text().isEmpty() ? 0 : b->sizeHint().width() + 1;
    }
    if (auto* b = qobject_cast<const QPushButton*>(control))
        return pushButtonNeed(b);
    if (auto* t = qobject_cast<const QToolButton*>(control))
        return t->text().isEmpty() || t->toolButtonStyle() == Qt::ToolButtonIconOnly ? 0 : t->sizeHint().width();
    if (auto* g = qobject_cast<const QGroupBox*>(control))
        return groupTitleNeed(g);
    return 0;
}

void FitTexts(QWidget* root)
{
    if (!root || fitting)
        return;
    fitting = true;
    struct Done {
        ~Done() { fitting = false; }
    } done;
    Fitter f;
    if (root->layout() || qobject_cast<QSplitter*>(root)) {
        f.fitBelow(root);
        return;
    }
    int need = f.fitContainer(root);
    if (auto* g = qobject_cast<QGroupBox*>(root))
        need = std::max(need, groupTitleNeed(g));
    growRoot(root, need);
}
