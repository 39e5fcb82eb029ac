#include "platform/vcl/multilinetabs.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>

#include <vector>

namespace {

// The rows of tabs above a page control.
class TTabRows : public QWidget {
public:
    explicit TTabRows(QTabWidget* pages) : QWidget(pages->parentWidget()), pages_(pages)
    {
        setObjectName(pages->objectName() + QStringLiteral("Tabs"));
        outer_ = pages->geometry();
        pages->tabBar()->hide();
        pages->installEventFilter(this);
        if (parentWidget())
            parentWidget()->installEventFilter(this);
        connect(pages, &QTabWidget::currentChanged, this, [this] { relayout(); });
        relayout();
        show();
    }

    // The tab under a point of the rows (-1 for none).
    int tabAt(const QPoint& pos) const
    {
        for (const Tab& t : tabs_)
            if (t.rect.contains(pos))
                return t.index;
        return -1;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == pages_ && (e->type() == QEvent::Move || e->type() == QEvent::Resize) && !placing_) {
            // Placed anew by someone else: the rows stay on top of it.
            const QRect g = pages_->geometry();
            outer_ = QRect(g.x(), g.y() - rowsHeight_, g.width(), g.height() + rowsHeight_);
            relayout();
        } else if (watched == pages_ && e->type() == QEvent::Show) {
            relayout();
        } else if (watched == parentWidget() && e->type() == QEvent::LayoutRequest) {
            // Tabs shown or hidden ask the page control's parent for a new layout.
            relayout();
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        QStylePainter p(this);
        for (const Tab& t : tabs_) {
            QStyleOptionTab opt;
            opt.initFrom(this);
            opt.shape = QTabBar::RoundedNorth;
            opt.rect = t.rect;
            opt.text = pages_->tabText(t.index);
            opt.icon = pages_->tabIcon(t.index);
            opt.position = t.position;
            opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
            if (t.index == pages_->currentIndex())
                opt.state |= QStyle::State_Selected;
            if (!pages_->isTabEnabled(t.index))
                opt.state &= ~QStyle::State_Enabled;
            p.drawControl(QStyle::CE_TabBarTab, opt);
        }
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        const int index = tabAt(e->position().toPoint());
        if (index >= 0 && pages_->isTabEnabled(index))
            pages_->setCurrentIndex(index);
    }

private:
    struct Tab {
        int index;
        QRect rect;
        QStyleOptionTab::TabPosition position;
    };

    void relayout()
    {
        if (!pages_ || placing_)
            return;
        const QFontMetrics fm(font());
        const int hspace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, this);
        const int vspace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, nullptr, this);
        const int tabHeight = fm.height() + vspace;
        const int width = outer_.width();
        // The visible tabs flow into rows no wider than the page control.
        std::vector<std::vector<std::pair<int, int>>> rows(1);
        int used = 0;
        int currentRow = 0;
        for (int i = 0; i < pages_->count(); ++i) {
            if (!pages_->isTabVisible(i))
                continue;
            const int w = fm.horizontalAdvance(pages_->tabText(i)) + hspace;
            if (!rows.back().empty() && used + w > width) {
                rows.emplace_back();
                used = 0;
            }
            rows.back().push_back({i, w});
            used += w;
            if (i == pages_->currentIndex())
                currentRow = int(rows.size()) - 1;
        }
        // The chosen tab's row stands next to the pages.
        std::vector<int> order;
        for (int r = 0; r < int(rows.size()); ++r)
            if (r != currentRow)
                order.push_back(r);
        order.push_back(currentRow);
        tabs_.clear();
        for (int line = 0; line < int(order.size()); ++line) {
            const auto& row = rows[size_t(order[size_t(line)])];
            int total = 0;
            for (const auto& tab : row)
                total += tab.second;
            // Each row spreads over the whole width, as the runtime's rows do.
            const int extra = row.empty() ? 0 : std::max(0, width - total);
            int x = 0;
            for (size_t k = 0; k < row.size(); ++k) {
                const int w = row[k].second + extra / int(row.size()) + (k + 1 == row.size() ? extra % int(row.size()) : 0);
                const QStyleOptionTab::TabPosition pos =
                    row.size() == 1 ? QStyleOptionTab::OnlyOneTab
                    : k == 0        ? QStyleOptionTab::Beginning
                    : k + 1 == row.size() ? QStyleOptionTab::End
                                          : QStyleOptionTab::Middle;
                tabs_.push_back({row[k].first, QRect(x, line * tabHeight, w, tabHeight), pos});
                x += w;
            }
        }
        rowsHeight_ = int(order.size()) * tabHeight;
        placing_ = true;
        setGeometry(outer_.x(), outer_.y(), outer_.width(), rowsHeight_);
        pages_->setGeometry(outer_.x(), outer_.y() + rowsHeight_, outer_.width(), std::max(0, outer_.height() - rowsHeight_));
        placing_ = false;
        raise();
        update();
    }

    QPointer<QTabWidget> pages_;
    QRect outer_;  // the page control's place with its rows
    std::vector<Tab> tabs_;
    int rowsHeight_ = 0;
    bool placing_ = false;
};

}  // namespace

void SetMultiLine(QTabWidget* pages)
{
    if (!pages || pages->findChild<QObject*>(QStringLiteral("multiLineTabs"), Qt::FindDirectChildrenOnly))
        return;
    auto* rows = new TTabRows(pages);
    // Marks the page control as done (the rows themselves are its parent's child).
    auto* mark = new QObject(pages);
    mark->setObjectName(QStringLiteral("multiLineTabs"));
    Q_UNUSED(rows);
}
