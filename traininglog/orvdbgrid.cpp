#include "traininglog/orvdbgrid.h"

#include <QApplication>
#include <QChildEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTextEdit>

#include <algorithm>

#include "platform/vcl/dbctrls.h"
#include "platform/vcl/events.h"
#include "platform/vcl/grids.h"

namespace {

constexpr int kMaxPanels = 100;
constexpr int kMaxPanelSize = 65535;

// Multi-line text controls use Tab and Return themselves.
bool wantsTab(const QWidget* w)
{
    if (auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return !t->tabChangesFocus();
    if (auto* t = qobject_cast<const QTextEdit*>(w))
        return !t->tabChangesFocus();
    return false;
}

bool wantsAllKeys(const QWidget* w)
{
    return qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w);
}

// Controls that cannot be painted as copies of themselves: grids and navigators.
bool replicatable(const QWidget* w)
{
    return !qobject_cast<const TCustomGrid*>(w) && !qobject_cast<const TorvDBCtrlGrid*>(w) &&
           !qobject_cast<const TDBNavigator*>(w);
}

bool canFocus(const QWidget* w)
{
    return w->isEnabled() && w->isVisible() && w->focusPolicy() != Qt::NoFocus;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void TorvDBCtrlGridLink::activeChanged()
{
    TDataLink::activeChanged();
    grid_->DataSetChanged(false);
}

void TorvDBCtrlGridLink::dataSetChanged()
{
    TDataLink::dataSetChanged();
    grid_->DataSetChanged(false);
}

void TorvDBCtrlGridLink::dataSetScrolled(int distance)
{
    TDataLink::dataSetScrolled(distance);
    grid_->DataSetChanged(false);
}

// ---------------------------------------------------------------------------------------------

TorvDBCtrlPanel::TorvDBCtrlPanel(TorvDBCtrlGrid* grid) : QWidget(grid), grid_(grid)
{
    setObjectName(QStringLiteral("DBCtrlPanel"));
    // It paints its whole surface itself: a child that changes does not repaint the grid below.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TorvDBCtrlPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    grid_->paintLivePanel(p);
}

// ---------------------------------------------------------------------------------------------

TorvDBCtrlGrid::TorvDBCtrlGrid(QWidget* parent) : QWidget(parent), link_(this)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    color_ = clBtnFace;
    selectedColor_ = color_;
    panel_ = new TorvDBCtrlPanel(this);
    panel_->installEventFilter(this);
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    scrollBar_->setTracking(false);
    scrollBar_->setRange(0, 4);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, [this](int action) { scrollBarAction(action); });
    connect(scrollBar_, &QScrollBar::sliderReleased, this, [this] { scrollBarReleased(); });
    AdjustSize();
}

TorvDBCtrlGrid::~TorvDBCtrlGrid()
{
    // The controls' links may outlive the grid's: nothing reaches the grid once it goes.
    link_.SetDataSource(nullptr);
}

void TorvDBCtrlGrid::Loaded()
{
    const QObjectList controls = children();  // a copy: each move takes one out of the list
    for (QObject* o : controls) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w == panel_ || w == scrollBar_ || w->isWindow())
            continue;
        // The form places them relative to the grid, which is where panel 0 lies. A control the
        // form hid stays hidden; the others show with the panel.
        const bool hidden = w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden();
        const QPoint at = w->pos();
        w->setParent(panel_);
        w->move(at);
        if (!hidden && panel_->isVisible())
            w->show();
    }
    watch(panel_);
    UpdateDataLinks(panel_, true);
}

void TorvDBCtrlGrid::SetDataSource(TDataSource* value)
{
    if (value == link_.DataSource())
        return;
    link_.SetDataSource(value);
    UpdateDataLinks(panel_, true);
}

void TorvDBCtrlGrid::UpdateDataLinks(QWidget* control, bool inserting)
{
    if (control != panel_ && !replicatable(control))
        throw EDatabaseError(
            QCoreApplication::translate("TorvDBCtrlGrid",
                                        "Das Steuerelement %1 kann nicht in einem Panel-Gitter verwendet werden")
                .arg(control->objectName()));
    if (auto* c = dynamic_cast<TFieldControl*>(control); c && inserting)
        c->SetDataSource(link_.DataSource());
    for (QObject* o : control->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow())
            UpdateDataLinks(w, inserting);
}

void TorvDBCtrlGrid::watch(QObject* o)
{
    o->installEventFilter(this);
    for (QObject* child : o->children())
        if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow())
            watch(child);
}

// --- size -------------------------------------------------------------------------------------

int TorvDBCtrlGrid::scrollBarExtent() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QSize TorvDBCtrlGrid::sizeHint() const
{
    int w = panelWidth_ * colCount_;
    int h = panelHeight_ * rowCount_;
    if (orientation_ == goVertical)
        w += scrollBarExtent();
    else
        h += scrollBarExtent();
    return QSize(w, h);
}

void TorvDBCtrlGrid::AdjustSize()
{
    adjusting_ = true;
    resize(sizeHint());
    adjusting_ = false;
    updateGeometry();
    Reset();
}

void TorvDBCtrlGrid::resizeEvent(QResizeEvent*)
{
    const int extent = scrollBarExtent();
    const bool vertical = orientation_ == goVertical;
    const int w = width() - (vertical ? extent : 0);
    const int h = height() - (vertical ? 0 : extent);
    if (vertical)
        scrollBar_->setGeometry(width() - extent, 0, extent, height());
    else
        scrollBar_->setGeometry(0, height() - extent, width(), extent);
    if (!adjusting_) {
        const int pw = std::clamp(w / colCount_, 1, kMaxPanelSize);
        const int ph = std::clamp(h / rowCount_, 1, kMaxPanelSize);
        if (pw != panelWidth_ || ph != panelHeight_) {
            panelWidth_ = pw;
            panelHeight_ = ph;
            Reset();
        }
    }
    update();
}

void TorvDBCtrlGrid::SetColCount(int value)
{
    value = std::clamp(value, 1, kMaxPanels);
    if (value == colCount_)
        return;
    colCount_ = value;
    AdjustSize();
}

void TorvDBCtrlGrid::SetRowCount(int value)
{
    value = std::clamp(value, 1, kMaxPanels);
    if (value == rowCount_)
        return;
    rowCount_ = value;
    AdjustSize();
}

void TorvDBCtrlGrid::SetPanelWidth(int value)
{
    value = std::clamp(value, 1, kMaxPanelSize);
    if (value == panelWidth_)
        return;
    panelWidth_ = value;
    AdjustSize();
}

void TorvDBCtrlGrid::SetPanelHeight(int value)
{
    value = std::clamp(value, 1, kMaxPanelSize);
    if (value == panelHeight_)
        return;
    panelHeight_ = value;
    AdjustSize();
}

void TorvDBCtrlGrid::SetOrientation(TorvDBCtrlGridOrientation value)
{
    if (value == orientation_)
        return;
    orientation_ = value;
    scrollBar_->setOrientation(value == goVertical ? Qt::Vertical : Qt::Horizontal);
    AdjustSize();
}

void TorvDBCtrlGrid::SetPanelBorder(TorvDBCtrlGridBorder value)
{
    if (value == panelBorder_)
        return;
    panelBorder_ = value;
    update();
    panel_->update();
}

void TorvDBCtrlGrid::SetBorderColor(TColor value)
{
    borderColor_ = value;
    Reset();
}

void TorvDBCtrlGrid::SetColor(TColor value)
{
    if (value == color_)
        return;
    color_ = value;
    if (!selColorChanged_)
        selectedColor_ = value;
    update();
    panel_->update();
}

void TorvDBCtrlGrid::SetSelectedColor(TColor value)
{
    if (value == selectedColor_)
        return;
    selectedColor_ = value;
    selColorChanged_ = value != color_;
    update();
    panel_->update();
}

void TorvDBCtrlGrid::SetShowFocus(bool value)
{
    if (value == showFocus_)
        return;
    showFocus_ = value;
    panel_->update();
}

QRect TorvDBCtrlGrid::GetPanelBounds(int index) const
{
    int col = 0, row = 0;
    if (orientation_ == goVertical) {
        col = index % colCount_;
        row = index / colCount_;
    } else {
        col = index / rowCount_;
        row = index % rowCount_;
    }
    return QRect(panelWidth_ * col, panelHeight_ * row, panelWidth_, panelHeight_);
}

int TorvDBCtrlGrid::panelAt(const QPoint& pos) const
{
    for (int i = 0; i < colCount_ * rowCount_; ++i)
        if (GetPanelBounds(i).contains(pos))
            return i;
    return -1;
}

// --- the dataset --------------------------------------------------------------------------------

void TorvDBCtrlGrid::Reset()
{
    link_.SetBufferCount(colCount_ * rowCount_);
    DataSetChanged(true);
}

void TorvDBCtrlGrid::DataSetChanged(bool reset)
{
    int newIndex = 0;
    int newCount = 0;
    if (link_.Active()) {
        newIndex = link_.ActiveRecord();
        newCount = std::max(1, link_.RecordCount());
    }
    QPointer<QWidget> focused;
    if (!reset) {
        QWidget* f = window()->focusWidget();
        if (f && panel_->isAncestorOf(f))
            focused = f;
        if (newIndex != panelIndex_) {
            panel_->setGeometry(GetPanelBounds(newIndex));
            panel_->update();
        }
    } else {
        panel_->setGeometry(GetPanelBounds(newIndex));
    }
    panelIndex_ = newIndex;
    panelCount_ = newCount;
    panel_->setVisible(panelCount_ > 0);
    panel_->update();
    if (!reset)
        update();
    UpdateScrollBar();
    if (focused && !clicking_ && canFocus(focused) && window()->focusWidget() != focused)
        focused->setFocus();
}

void TorvDBCtrlGrid::UpdateScrollBar()
{
    int min = 0, max = 4, page = 0, pos = 0;
    if (link_.Active()) {
        TDataSet* ds = link_.DataSet();
        page = rowCount_ * colCount_;
        min = 1;
        max = std::max(1, ds->RecordCount());
        pos = scrollBar_->value();
        if (ds->State() != dsInsert)
            pos = std::max(1, ds->RecNo());
    }
    QSignalBlocker block(scrollBar_);
    if (scrollBar_->minimum() != min || scrollBar_->maximum() != max)
        scrollBar_->setRange(min, max);
    if (scrollBar_->pageStep() != std::max(1, page))
        scrollBar_->setPageStep(std::max(1, page));
    if (scrollBar_->value() != pos)
        scrollBar_->setValue(pos);
}

void TorvDBCtrlGrid::scrollBarAction(int action)
{
    setFocus();
    TorvDBCtrlGridKey key = gkNull;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        key = gkScrollUp;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        key = gkScrollDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        key = gkPageUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        key = gkPageDown;
        break;
    case QAbstractSlider::SliderToMinimum:
        key = gkHome;
        break;
    case QAbstractSlider::SliderToMaximum:
        key = gkEnd;
        break;
    default:
        return;  // dragging the thumb moves nothing until it is let go
    }
    RunGuarded([&] { DoKey(key); });
    // The bar shows where the dataset is, not where the click would have put it.
    scrollBar_->setSliderPosition(scrollBar_->value());
}

void TorvDBCtrlGrid::scrollBarReleased()
{
    if (!link_.Active())
        return;
    const int track = scrollBar_->sliderPosition();
    RunGuarded([&] {
        TDataSet* ds = link_.DataSet();
        if (track <= 1)
            DoKey(gkHome);
        else if (track >= ds->RecordCount())
            DoKey(gkEnd);
        else
            ds->SetRecNo(track);
    });
    UpdateScrollBar();
}

void TorvDBCtrlGrid::SetPanelIndex(int value)
{
    if (link_.Active() && value < panelCount_)
        link_.MoveBy(value - panelIndex_);
}

int TorvDBCtrlGrid::moveBy(int distance)
{
    const int moved = link_.DataSet()->MoveBy(distance);
    link_.Follow();
    return moved;
}

void TorvDBCtrlGrid::Scroll(int inc, bool scrollLock)
{
    if (!link_.Active() || inc == 0)
        return;
    TDataSet* ds = link_.DataSet();
    if (ds->State() == dsInsert) {
        ds->UpdateRecord();
        if (ds->Modified())
            ds->Post();
        else if (inc < 0 || !ds->Eof())
            ds->Cancel();
        return;
    }
    ds->CheckBrowseMode();
    ds->DisableControls();
    struct Enable {
        TDataSet* ds;
        ~Enable() { ds->EnableControls(); }
    } enable{ds};
    const int buffer = link_.BufferCount();
    if (scrollLock) {
        // The panels scroll under the current one, which keeps its place on the screen.
        if (inc > 0)
            moveBy(inc - moveBy(inc + buffer - panelIndex_ - 1));
        else
            moveBy(inc - moveBy(inc - panelIndex_));
    } else {
        const int newIndex = panelIndex_ + inc;
        if (newIndex >= 0 && newIndex < buffer) {
            moveBy(inc);
        } else if (moveBy(inc) == inc) {
            // Whole rows (columns) of panels scroll into view.
            const int s = orientation_ == goVertical ? colCount_ : rowCount_;
            const int adjust = inc > 0 ? s - 1 - newIndex % s : 1 - s - (newIndex + 1) % s;
            moveBy(-moveBy(adjust));
        }
    }
    if (inc == 1 && ds->Eof() && allowInsert_ && ds->CanModify())
        ds->Append();
}

// --- keys -------------------------------------------------------------------------------------

void TorvDBCtrlGrid::DoKey(TorvDBCtrlGridKey key)
{
    if (!link_.Active())
        return;
    TDataSet* ds = link_.DataSet();
    const bool vertical = orientation_ == goVertical;
    const int hInc = vertical ? 1 : rowCount_;
    const int vInc = vertical ? colCount_ : 1;
    switch (key) {
    case gkNull:
        break;
    case gkEditMode:
        SetEditMode(!EditMode());
        break;
    case gkPriorTab:
        SelectNext(false);
        break;
    case gkNextTab:
        SelectNext(true);
        break;
    case gkLeft:
        Scroll(-hInc, false);
        break;
    case gkRight:
        Scroll(hInc, false);
        break;
    case gkUp:
        Scroll(-vInc, false);
        break;
    case gkDown:
        Scroll(vInc, false);
        break;
    case gkScrollUp:
        Scroll(-vInc, true);
        break;
    case gkScrollDown:
        Scroll(vInc, true);
        break;
    case gkPageUp:
        Scroll(-link_.BufferCount(), true);
        break;
    case gkPageDown:
        Scroll(link_.BufferCount(), true);
        break;
    case gkHome:
        ds->First();
        break;
    case gkEnd:
        ds->Last();
        break;
    case gkInsert:
    case gkAppend:
        if (allowInsert_ && ds->CanModify()) {
            if (key == gkInsert)
                ds->Insert();
            else
                ds->Append();
            SetEditMode(true);
        }
        break;
    case gkDelete:
        if (allowDelete_ && ds->CanModify()) {
            ds->Delete();
            SetEditMode(false);
        }
        break;
    case gkCancel:
        ds->Cancel();
        SetEditMode(false);
        break;
    }
}

void TorvDBCtrlGrid::keyPressEvent(QKeyEvent* e)
{
    // Keys a control of the live panel left alone come here too: only the grid's own count.
    if (EditMode()) {
        e->ignore();
        return;
    }
    int key = e->key();
    const Qt::KeyboardModifiers shift = e->modifiers();
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    const bool ctrl = shift & Qt::ControlModifier;
    TorvDBCtrlGridKey gk = gkNull;
    switch (key) {
    case 0:
        return;
    case Qt::Key_Left:
        gk = gkLeft;
        break;
    case Qt::Key_Right:
        gk = gkRight;
        break;
    case Qt::Key_Up:
        gk = gkUp;
        break;
    case Qt::Key_Down:
        gk = gkDown;
        break;
    case Qt::Key_PageUp:
        gk = gkPageUp;
        break;
    case Qt::Key_PageDown:
        gk = gkPageDown;
        break;
    case Qt::Key_Home:
        gk = gkHome;
        break;
    case Qt::Key_End:
        gk = gkEnd;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        gk = gkEditMode;
        break;
    case Qt::Key_Insert:
        gk = ctrl ? gkAppend : gkInsert;
        break;
    case Qt::Key_Delete:
        gk = ctrl ? gkDelete : gkNull;
        break;
    case Qt::Key_Escape:
        gk = gkCancel;
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    if (link_.Active())
        RunGuarded([&] { DoKey(gk); });
}

bool TorvDBCtrlGrid::childKey(QWidget* child, QKeyEvent* e)
{
    int key = e->key();
    const Qt::KeyboardModifiers shift = e->modifiers();
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    TorvDBCtrlGridKey gk = gkNull;
    switch (key) {
    case 0:
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!(shift & Qt::ControlModifier) && !wantsTab(child))
            gk = (shift & Qt::ShiftModifier) || key == Qt::Key_Backtab ? gkPriorTab : gkNextTab;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!wantsAllKeys(child))
            gk = gkEditMode;
        break;
    case Qt::Key_Escape:
        gk = gkCancel;
        break;
    case Qt::Key_F2:
        gk = gkEditMode;
        break;
    default:
        break;
    }
    if (gk == gkNull)
        return false;
    if (link_.Active())
        RunGuarded([&] { DoKey(gk); });
    return true;
}

bool TorvDBCtrlGrid::EditMode() const
{
    const QWidget* f = window()->focusWidget();
    return f && f != this && f != scrollBar_ && isAncestorOf(f);
}

void TorvDBCtrlGrid::SetEditMode(bool value)
{
    if (value) {
        for (QWidget* w : tabOrder())
            if (canFocus(w)) {
                w->setFocus(Qt::OtherFocusReason);
                return;
            }
    } else {
        setFocus(Qt::OtherFocusReason);
    }
}

QList<QWidget*> TorvDBCtrlGrid::tabOrder() const
{
    // The live panel's controls in the window's focus chain.
    QList<QWidget*> list;
    QWidget* top = window();
    for (QWidget* w = top->nextInFocusChain(); w && w != top; w = w->nextInFocusChain())
        if (panel_->isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus)
            list.append(w);
    return list;
}

void TorvDBCtrlGrid::SelectNext(bool goForward)
{
    QWidget* active = window()->focusWidget();
    if (!active || !isAncestorOf(active))
        return;
    const QList<QWidget*> list = tabOrder();
    if (list.isEmpty())
        return;
    // The next tab stop after `from` that can take the focus, and whether the search wrapped.
    auto findNext = [&](QWidget* from, int& wrap) -> QWidget* {
        int start = list.indexOf(from);
        if (start < 0)
            start = goForward ? int(list.size()) - 1 : 0;
        int i = start;
        wrap = 0;
        do {
            i = goForward ? (i + 1) % int(list.size()) : (i + int(list.size()) - 1) % int(list.size());
            QWidget* w = list[i];
            if (canFocus(w) && (w->focusPolicy() & Qt::TabFocus)) {
                if (goForward && i <= start)
                    wrap = 1;
                else if (!goForward && i >= start)
                    wrap = -1;
                return w;
            }
        } while (i != start);
        return nullptr;
    };
    int wrap = 0;
    QWidget* control = findNext(active, wrap);
    if (!control)
        return;
    TDataSet* ds = link_.DataSet();
    if (ds->State() != dsEdit && ds->State() != dsInsert)
        panel_->setFocus();
    try {
        if (wrap != 0)
            Scroll(wrap, false);
    } catch (...) {
        active->setFocus();
        throw;
    }
    if (!canFocus(control)) {
        int again = 0;
        control = findNext(control, again);
    }
    if (control)
        control->setFocus(goForward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

// --- mouse ------------------------------------------------------------------------------------

void TorvDBCtrlGrid::mousePressEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    if (link_.Active() && e->button() == Qt::LeftButton) {
        const int i = panelAt(pos);
        if (i >= 0 && i != panelIndex_ && i < panelCount_) {
            bool moved = false;
            RunGuarded([&] {
                clicking_ = true;
                struct Clear {
                    bool& f;
                    ~Clear() { f = false; }
                } clear{clicking_};
                SetPanelIndex(i);
                moved = true;
            });
            if (!moved)
                return;
            // The press goes on to the control under the mouse in the live panel, now there.
            const QPoint inPanel = panel_->mapFrom(this, pos);
            if (QWidget* child = panel_->childAt(inPanel)) {
                const QPointF local = child->mapFrom(panel_, inPanel);
                QMouseEvent press(QEvent::MouseButtonPress, local, e->globalPosition(), e->button(), e->buttons(),
                                  e->modifiers());
                QApplication::sendEvent(child, &press);
                return;
            }
        }
    }
    // The grid or a control inside it holds the focus.
    if (!hasFocus() && !EditMode())
        setFocus(Qt::MouseFocusReason);
    if (panel_->isVisible() && panel_->geometry().contains(pos)) {
        SetEditMode(false);
        if (OnClick)
            OnClick(this);
    }
}

void TorvDBCtrlGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (panel_->isVisible() && panel_->geometry().contains(e->position().toPoint()) && OnDblClick)
        OnDblClick(this);
}

bool TorvDBCtrlGrid::eventFilter(QObject* watched, QEvent* e)
{
    switch (e->type()) {
    case QEvent::ChildAdded: {
        // Controls put on the live panel later: their keys pass here, and once they are whole
        // they are bound to the grid's data source.
        QObject* child = static_cast<QChildEvent*>(e)->child();
        if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow()) {
            watch(child);
            auto* w = static_cast<QWidget*>(child);
            if (w->testAttribute(Qt::WA_WState_Polished))
                RunGuarded([&] { UpdateDataLinks(w, true); });
        }
        break;
    }
    case QEvent::Polish:
        if (watched != panel_)
            RunGuarded([&] { UpdateDataLinks(static_cast<QWidget*>(watched), true); });
        break;
    case QEvent::KeyPress:
        if (watched != panel_ && watched == window()->focusWidget())
            return childKey(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(e));
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, e);
}

void TorvDBCtrlGrid::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::PaletteChange)
        update();
}

// --- painting ---------------------------------------------------------------------------------

void TorvDBCtrlGrid::PaintPanel(int Index)
{
    if (OnPaintPanel)
        OnPaintPanel(this, Index);
}

void TorvDBCtrlGrid::refreshControls()
{
    for (QWidget* w : panel_->findChildren<QWidget*>()) {
        auto* c = dynamic_cast<TFieldControl*>(w);
        // A control the user is changing keeps what was typed: nothing typed is ever dropped
        // for a picture.
        if (c && c->DataSource() == link_.DataSource() && !c->DataLink().IsModified())
            c->DataLink().Reset();
    }
}

void TorvDBCtrlGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const qreal dpr = devicePixelRatioF();
    // One off-screen picture of a panel's size, shared by every panel of this pass.
    QPixmap buffer(QSize(panelWidth_, panelHeight_) * dpr);
    buffer.setDevicePixelRatio(dpr);
    const int panels = colCount_ * rowCount_;
    bool copied = false;
    for (int i = 0; i < panels; ++i) {
        if (panelCount_ != 0 && i == panelIndex_)
            continue;  // the live panel paints itself
        DrawPanel(p, buffer, i);
        copied = copied || i < panelCount_;
    }
    if (copied) {
        // Back to the current record for the live panel.
        paintingIndex_ = -1;
        if (TDataSet* ds = link_.DataSet())
            ds->SetDisplayRow(-1);
        refreshControls();
    }
    // The bands the panels do not cover.
    const int extent = scrollBarExtent();
    const bool vertical = orientation_ == goVertical;
    const int clientW = width() - (vertical ? extent : 0);
    const int clientH = height() - (vertical ? 0 : extent);
    const QColor background = ToQColor(color_);
    if (clientH > panelHeight_ * rowCount_)
        p.fillRect(QRect(0, panelHeight_ * rowCount_, clientW, clientH - panelHeight_ * rowCount_), background);
    if (clientW > panelWidth_ * colCount_)
        p.fillRect(QRect(panelWidth_ * colCount_, 0, clientW - panelWidth_ * colCount_, clientH), background);
}

void TorvDBCtrlGrid::DrawPanel(QPainter& p, QPixmap& buffer, int index)
{
    if (index >= panelCount_) {
        QPainter bp(&buffer);
        DrawPanelBackground(bp, QRect(0, 0, panelWidth_, panelHeight_), true, false);
    } else {
        paintingIndex_ = index;
        link_.SetActiveRecord(index);
        refreshControls();
        panel_->render(&buffer, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    p.drawPixmap(GetPanelBounds(index).topLeft(), buffer);
}

void TorvDBCtrlGrid::DrawPanelBackground(QPainter& p, const QRect& r, bool erase, bool selected)
{
    if (erase)
        p.fillRect(r, ToQColor(selected ? selectedColor_ : color_));
    switch (panelBorder_) {
    case gbRaised: {
        const QPalette& pal = palette();
        p.setPen(pal.color(QPalette::Light));
        p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom());
        p.setPen(pal.color(QPalette::Dark));
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        break;
    }
    case gbFlat:
        // The frame's bottom falls one pixel below the panel: stacked panels share one line.
        p.setPen(ToQColor(borderColor_));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, 0));
        break;
    case gbNone:
        break;
    }
}

void TorvDBCtrlGrid::paintLivePanel(QPainter& p)
{
    const QRect r = panel_->rect();
    if (!link_.Active()) {
        DrawPanelBackground(p, r, true, false);
        return;
    }
    const bool live = paintingIndex_ < 0;
    const int index = live ? panelIndex_ : paintingIndex_;
    const bool selected = live;
    DrawPanelBackground(p, r, true, selected);
    p.setFont(font());
    p.setBrush(ToQColor(color_));
    canvas_ = &p;
    struct Lend {
        QPainter*& c;
        ~Lend() { c = nullptr; }
    } lend{canvas_};
    PaintPanel(index);
    if (showFocus_ && selected && hasFocus()) {
        QPen pen(palette().color(QPalette::WindowText));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const int inset = panelBorder_ == gbRaised ? 2 : 0;
        p.drawRect(r.adjusted(inset, inset, -inset - 1, -inset - 1));
    }
}
