#include "controls/controlalign.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <numeric>

namespace {

const char* const alignProperty = "Align";

// Re-aligns a parent's controls when the parent is resized or shown (a layout may have sized it
// while it was hidden).
class AlignWatcher : public QObject {
public:
    explicit AlignWatcher(QWidget* parent) : QObject(parent) { setObjectName(QStringLiteral("AlignWatcher")); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if ((event->type() == QEvent::Resize || event->type() == QEvent::Show) && watched == parent())
            AlignControls(static_cast<QWidget*>(watched));
        return false;
    }
};

void ensureWatcher(QWidget* parent)
{
    // By name: the watcher has no meta-object of its own, so a cast would take any child for it.
    if (parent->findChild<QObject*>(QStringLiteral("AlignWatcher"), Qt::FindDirectChildrenOnly))
        return;
    auto* watcher = new AlignWatcher(parent);
    parent->installEventFilter(watcher);
}

}  // namespace

TAlign ControlAlign(const QWidget* w)
{
    const QVariant v = w->property(alignProperty);
    return v.isValid() ? TAlign(v.toInt()) : alNone;
}

void SetControlAlign(QWidget* w, TAlign align)
{
    w->setProperty(alignProperty, int(align));
    if (QWidget* parent = w->parentWidget()) {
        ensureWatcher(parent);
        AlignControls(parent);
    }
}

std::vector<QRect> ArrangeAligned(const QRect& client, const std::vector<TAlignedControl>& controls)
{
    std::vector<QRect> result;
    result.reserve(controls.size());
    for (const TAlignedControl& c : controls)
        result.push_back(c.Geometry);
    int top = client.top();
    int bottom = client.top() + client.height();
    int left = client.left();
    int right = client.left() + client.width();

    auto indexesOf = [&](TAlign align) {
        std::vector<size_t> idx;
        for (size_t i = 0; i < controls.size(); ++i)
            if (controls[i].Align == align)
                idx.push_back(i);
        return idx;
    };
    auto byKey = [&](std::vector<size_t>& idx, auto key) {
        std::stable_sort(idx.begin(), idx.end(), [&](size_t a, size_t b) { return key(a) < key(b); });
    };

    auto tops = indexesOf(alTop);
    byKey(tops, [&](size_t i) { return controls[i].Geometry.top(); });
    for (size_t i : tops) {
        const int h = controls[i].Geometry.height();
        result[i] = QRect(left, top, right - left, h);
        top += h;
    }
    auto bottoms = indexesOf(alBottom);
    byKey(bottoms, [&](size_t i) { return -(controls[i].Geometry.top() + controls[i].Geometry.height()); });
    for (size_t i : bottoms) {
        const int h = controls[i].Geometry.height();
        bottom -= h;
        result[i] = QRect(left, bottom, right - left, h);
    }
    auto lefts = indexesOf(alLeft);
    byKey(lefts, [&](size_t i) { return controls[i].Geometry.left(); });
    for (size_t i : lefts) {
        const int w = controls[i].Geometry.width();
        result[i] = QRect(left, top, w, std::max(0, bottom - top));
        left += w;
    }
    auto rights = indexesOf(alRight);
    byKey(rights, [&](size_t i) { return -(controls[i].Geometry.left() + controls[i].Geometry.width()); });
    for (size_t i : rights) {
        const int w = controls[i].Geometry.width();
        right -= w;
        result[i] = QRect(right, top, w, std::max(0, bottom - top));
    }
    for (size_t i : indexesOf(alClient))
        result[i] = QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
    return result;
}

void AlignControls(QWidget* parent)
{
    std::vector<QWidget*> widgets;
    std::vector<TAlignedControl> controls;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        // Hidden controls take no room, as with the runtime.
        if (!w || w->isWindow() || (w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide)))
            continue;
        const TAlign a = ControlAlign(w);
        if (a == alNone)
            continue;
        widgets.push_back(w);
        controls.push_back({a, w->geometry()});
    }
    if (widgets.empty())
        return;
    const std::vector<QRect> geometry = ArrangeAligned(parent->contentsRect(), controls);
    for (size_t i = 0; i < widgets.size(); ++i)
        if (widgets[i]->geometry() != geometry[i])
            widgets[i]->setGeometry(geometry[i]);
}
