// The entry window's page "Explorer": the units that the explorer frame's filter selects, as
// icons, a list or a detail view over one model.
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QSet>

#include "core/explorerframe.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/navigatorframe.h"
#include "core/navigatorlists.h"
#include "core/orvdbserver.h"
#include "platform/db/sqlreader.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/explorerlist.h"

namespace {

// How many rows the fill adds between two looks at the user's input and the progress bar.
constexpr int kRowsPerBreath = 200;

QPixmap defaultExplorerPicture(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(96, 96, 96));
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QRectF(size * 0.15, size * 0.15, size * 0.7, size * 0.7));
    return pm;
}

// Keys and double clicks of both views reach the window's handlers.
class ExplorerViewFilter : public QObject {
public:
    explicit ExplorerViewFilter(Teingabe* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* e = static_cast<QKeyEvent*>(event);
            int key = e->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Handler(window_, &Teingabe::ListView1DblClick)(watched);
                return true;
            }
            if (key == Qt::Key_Delete) {
                Handler(window_, &Teingabe::ListView1KeyDown)(watched, key, e->modifiers());
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Teingabe* window_;
};

}  // namespace

void Teingabe::setUpExplorerPage()
{
    explorerList_ = new TExplorerListModel(this);
    ListView1->setModel(explorerList_);
    ListView1Report->setModel(explorerList_);
    ListView1Report->setSelectionModel(ListView1->selectionModel());
    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(ListView1), static_cast<QAbstractItemView*>(ListView1Report)}) {
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        v->setSelectionMode(QAbstractItemView::SingleSelection);
        v->setSelectionBehavior(QAbstractItemView::SelectRows);
        v->installEventFilter(new ExplorerViewFilter(this));
        connect(v, &QAbstractItemView::doubleClicked, this, [this, v] { Handler(this, &Teingabe::ListView1DblClick)(v); });
    }
    ListView1->setUniformItemSizes(true);
    ListView1->setWordWrap(true);
    ListView1Report->setRootIsDecorated(false);
    ListView1Report->setUniformRowHeights(true);
    ListView1Report->setIconSize(QSize(16, 16));
    QHeaderView* header = ListView1Report->header();
    header->setStretchLastSection(false);
    header->setResizeContentsPrecision(200);  // fitting a column looks at the first rows only
    header->resizeSection(elCaption, 180);
    header->resizeSection(elDatum, 70);
    header->resizeSection(elForm, 90);
    header->resizeSection(elZeit, 60);
    header->resizeSection(elDistanz, 70);
    header->resizeSection(elOrt, 220);
    ListView1Report->setColumnHidden(elIndex, true);
    ListView1Report->setColumnHidden(elZw, true);
    connect(header, &QHeaderView::sectionClicked, this, [this] { explorerList_->sort(elDatum, Qt::AscendingOrder); });
    connect(ListView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { Handler(this, &Teingabe::ListView1Change)(ListView1); });

    for (TXPButton* b : {XPButton30, XPButton31, XPButton32}) {
        b->SetGroupIndex(2);
        b->SetFlat(true);
    }
    XPButton30->OnClick = Handler(this, &Teingabe::XPButton30Click);
    XPButton31->OnClick = Handler(this, &Teingabe::XPButton31Click);
    XPButton32->OnClick = Handler(this, &Teingabe::XPButton32Click);
    XPButton30->SetDown(true);
    XPButton30Click(XPButton30);
}

void Teingabe::XPButton30Click(QObject*)
{
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(QSize(32, 32));
    ListView1->setGridSize(QSize(120, 64));
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setFlow(QListView::LeftToRight);
    ListView1->setWrapping(true);
    ListView1->setMovement(QListView::Static);
    ListView1Report->hide();
    ListView1->show();
}

void Teingabe::XPButton31Click(QObject*)
{
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setGridSize(QSize());
    ListView1->setFlow(QListView::TopToBottom);
    ListView1->setWrapping(true);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1Report->hide();
    ListView1->show();
}

void Teingabe::XPButton32Click(QObject*)
{
    ListView1->hide();
    ListView1Report->show();
}

void Teingabe::fillExplorer(const QString& where, bool withEquipment)
{
    if (explorerFilling_) {
        // Asked for while a fill runs (the user chose another node meanwhile): runs after it.
        pendingWhere_ = where;
        pendingWithEquipment_ = withEquipment;
        explorerPending_ = true;
        return;
    }
    runFillExplorer(where, withEquipment);
    while (explorerPending_) {
        explorerPending_ = false;
        runFillExplorer(pendingWhere_, pendingWithEquipment_);
    }
}

void Teingabe::runFillExplorer(const QString& where, bool withEquipment)
{
    if (!orvServer || !orvServer->orvDB.Connected())
        return;
    TQuery& explorer = orvServer->explorer;
    QProgressBar* progress = explorerFrm ? explorerFrm->ProgressBar1 : nullptr;

    // The pictures, once per fill: image 0 the default, then one per sport.
    QList<QIcon> pictures;
    QHash<int, int> imageOfSport;
    QIcon fallback;
    fallback.addPixmap(defaultExplorerPicture(16));
    fallback.addPixmap(defaultExplorerPicture(32));
    pictures << fallback;
    for (const TSportPicture& p : SportPictures(orvServer->orvDB)) {
        if (p.Picture.isNull()) {
            imageOfSport.insert(p.SportId, 0);
            continue;
        }
        imageOfSport.insert(p.SportId, int(pictures.size()));
        pictures << QIcon(QPixmap::fromImage(p.Picture));
    }

    explorerFilling_ = true;
    explorerList_->Clear();
    explorer.Close();
    explorer.SQL().clear();
    const QString from =
        withEquipment ? QStringLiteral("(daten left outer join eqdaten on (daten.dat_id = eqdaten.EinheiIndex)) "
                                       "inner join sportart on (daten.sportart = sportart.spo_id)")
                      : QStringLiteral("daten inner join sportart on (daten.sportart = sportart.spo_id)");
    explorer.SetSQLText(QStringLiteral("Select * From ") + from + QStringLiteral(" Where ") + where +
                        QStringLiteral(" ORDER BY datum"));
    bool controlsOff = false;
    QVector<TExplorerItem> items;
    try {
        explorer.Open();
        const int count = explorer.RecordCount();
        if (progress) {
            progress->setMaximum(qMax(count, 1));
            progress->setValue(0);
            progress->show();
        }
        // Which of the listed units have split or heart-rate rows, asked once for all of them
        // under the list's own condition (a long history costs the listed units, not all).
        QSet<qint64> withSplits;
        {
            TSqlReader q(orvServer->orvDB, QStringLiteral("Select daten.dat_Id From ") + from +
                                               QStringLiteral(" Where (") + where +
                                               QStringLiteral(") And Exists (Select zei_Id From zeit Where "
                                                              "zeit.zei_Id = daten.dat_Id)"));
            while (q.Next())
                withSplits.insert(q.AsLargeInt(0));
        }
        explorer.DisableControls();
        controlsOff = true;
        TField* id = explorer.FieldByName(QStringLiteral("dat_Id"));
        TField* datum = explorer.FieldByName(QStringLiteral("Datum"));
        TField* form = explorer.FieldByName(QStringLiteral("lookForm"));
        TField* zeit = explorer.FieldByName(QStringLiteral("Zeit"));
        TField* distanz = explorer.FieldByName(QStringLiteral("distanz"));
        TField* ort = explorer.FieldByName(QStringLiteral("Ort"));
        TField* sport = explorer.FieldByName(QStringLiteral("Sportart"));
        TField* sportName = explorer.FieldByName(QStringLiteral("lookSportart"));  // spo_name by the unit's Sportart
        items.reserve(count);
        int row = 0;
        for (explorer.First(); !explorer.Eof(); explorer.Next()) {
            TExplorerItem item;
            const QString dateText = datum->DisplayText();
            item.Texts[elCaption] = sportName->AsString() + QStringLiteral(", ") + dateText;
            item.Texts[elIndex] = id->AsString();
            item.Texts[elDatum] = dateText;
            item.Texts[elForm] = form->DisplayText();
            item.Texts[elZeit] = zeit->DisplayText();
            item.Texts[elDistanz] = distanz->DisplayText();
            item.Texts[elOrt] = ort->DisplayText();
            item.Texts[elZw] = withSplits.contains(id->AsInteger()) ? QStringLiteral("True") : QStringLiteral("False");
            item.Image = imageOfSport.value(sport->AsInteger(), 0);
            items.append(std::move(item));
            if (++row % kRowsPerBreath == 0) {
                if (progress)
                    progress->setValue(row);
                QApplication::processEvents();
            }
        }
        explorer.First();
    } catch (...) {
        if (controlsOff)
            explorer.EnableControls();
        if (progress) {
            progress->setValue(0);
            progress->hide();
        }
        explorerFilling_ = false;
        throw;
    }
    explorerList_->SetItems(std::move(items), pictures);
    // The columns without a width of their own fit their texts (the date at least 60 pixels).
    for (int column : {elDatum, elForm, elZeit, elDistanz})
        ListView1Report->resizeColumnToContents(column);
    if (ListView1Report->columnWidth(elDatum) < 60)
        ListView1Report->setColumnWidth(elDatum, 60);
    explorer.EnableControls();
    if (progress) {
        progress->setValue(0);
        progress->hide();
    }
    explorerFilling_ = false;
}

QString Teingabe::selectedExplorerId() const
{
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return QString();
    return explorerList_->Item(rows.first().row()).Texts[elIndex];
}

void Teingabe::ListView1Change(QObject*)
{
    const QString id = selectedExplorerId();
    if (id.isEmpty() || !orvServer || !orvServer->explorer.Active())
        return;
    orvServer->explorer.Locate(QStringLiteral("DAT_ID"), id);
}

void Teingabe::ListView1DblClick(QObject*)
{
    const QString id = selectedExplorerId();
    if (id.isEmpty() || !orvServer || !orvServer->daten.Locate(QStringLiteral("DAT_ID"), id)) {
        MessageDlg(LoadStr(msg::NoEntrySelected), mtError, TMsgDlgButtons{mbOK});
        return;
    }
    PageControl2->setCurrentWidget(TabSheet4);
    PageControl2Change(PageControl2);
    if (navigatorFrm)
        navigatorFrm->selectCurrentUnit();
}

void Teingabe::ListView1KeyDown(QObject*, int& Key, Qt::KeyboardModifiers)
{
    if (Key != Qt::Key_Delete)
        return;
    const QString id = selectedExplorerId();
    if (id.isEmpty() || !orvServer)
        return;
    if (MessageDlg(LoadStr(msg::ConfirmDeleteUnit), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) != mrYes)
        return;
    if (orvServer->daten.Locate(QStringLiteral("DAT_ID"), id))
        orvServer->daten.Delete();
    orvServer->explorer.Close();
    orvServer->explorer.Open();
    if (explorerFrm)
        explorerFrm->TreeView1Change(explorerFrm->TreeView1, explorerFrm->TreeView1->currentItem());
}
