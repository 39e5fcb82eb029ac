#include "core/startframe.h"

#include "ui_startframe.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "controls/xpbutton.h"
#include "core/main.h"
#include "core/mainactions.h"
#include "core/mainimages.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/events.h"

TstartFrm* startFrm = nullptr;

namespace {

// Hot tracking as in the task lists of the desktop: the item under the mouse is underlined.
class HotTrackDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->state & QStyle::State_MouseOver) {
            option->font.setUnderline(true);
            option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Link));
        }
    }
};

void setUpTaskList(QListWidget* list, std::initializer_list<int> images)
{
    list->setViewMode(QListView::ListMode);
    list->setMouseTracking(true);
    list->viewport()->setCursor(Qt::PointingHandCursor);
    list->setItemDelegate(new HotTrackDelegate(list));
    list->setIconSize(QSize(16, 16));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setStyleSheet(QStringLiteral("QListWidget { background: transparent; }"));
    int i = 0;
    for (int image : images)
        if (QListWidgetItem* item = list->item(i++))
            item->setIcon(QIcon(MainImage(image)));
    // As tall as its items, so both lists stand one below the other.
    const int rows = list->count();
    list->setFixedHeight(rows * (list->sizeHintForRow(0) + 2) + 4);
}

void executeMainAction(const char* name)
{
    if (!MainForm)
        return;
    if (TAction* a = MainForm->ActionManager1->FindAction(QString::fromLatin1(name)))
        a->Execute();
}

}  // namespace

void ApplyControlCaptions(QWidget* form)
{
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const QVariant caption = w->property("Caption");
        if (!caption.isValid())
            continue;
        if (auto* nav = qobject_cast<TUiNavCustomControl*>(w))
            nav->SetCaption(caption.toString());
        else if (auto* button = qobject_cast<TXPButton*>(w))
            button->SetCaption(caption.toString());
    }
}

TstartFrm::TstartFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TstartFrm>())
{
    ui->setupUi(this);
    UiNavPanel1 = ui->UiNavPanel1;
    ListView1 = ui->ListView1;
    ListView2 = ui->ListView2;
    ApplyControlCaptions(this);
    UiNavPanel1->SetPanelType(ptTitle);
    setUpTaskList(ListView1, {imgNew, imgOpen, imgRestore, imgCompact});
    setUpTaskList(ListView2, {imgImport});
    for (QListWidget* list : {ListView1, ListView2})
        Events(list).OnMouseDown = Handler(this, &TstartFrm::ListViewMouseDown);
    connect(ListView1, &QListWidget::itemClicked, this, [this] { ListView1Click(ListView1); });
    connect(ListView2, &QListWidget::itemClicked, this, [this] { ListView2Click(ListView2); });
}

void TstartFrm::ListViewMouseDown(QObject* Sender, Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y)
{
    // A click on the empty area of a list clears its selection, so that it runs nothing.
    auto* list = qobject_cast<QListWidget*>(Sender);
    if (list && !list->itemAt(X, Y))
        list->clearSelection();
}

void TstartFrm::ListView1Click(QObject*)
{
    const QList<QListWidgetItem*> selected = ListView1->selectedItems();
    if (selected.isEmpty())
        return;
    switch (ListView1->row(selected.first())) {
    case 0: executeMainAction("FileNew1"); break;
    case 1:
        if (MainForm)
            MainForm->FileOpen1Execute(this);
        break;
    case 2: executeMainAction("Action24"); break;
    case 3: executeMainAction("FileDBReparieren1"); break;
    default: break;
    }
}

void TstartFrm::ListView2Click(QObject*)
{
    const QList<QListWidgetItem*> selected = ListView2->selectedItems();
    if (!selected.isEmpty() && ListView2->row(selected.first()) == 0)
        executeMainAction("Action20");
}

TstartFrm::~TstartFrm() = default;
