#include "platform/vcl/dbactns.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPolygonF>
#include <QToolBar>

#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/vcl/events.h"
#include "platform/vcl/imglist.h"

namespace {

struct KindInfo {
    const char* caption;
    const char* hint;
};

// Captions and hints of the runtime's standard actions, translated in the context
// "TDataSetAction".
constexpr KindInfo kKinds[] = {
    {QT_TRANSLATE_NOOP("TDataSetAction", "&Erster"), QT_TRANSLATE_NOOP("TDataSetAction", "Erster Datensatz")},
    {QT_TRANSLATE_NOOP("TDataSetAction", "&Vorheriger"), QT_TRANSLATE_NOOP("TDataSetAction", "Vorheriger Datensatz")},
    {QT_TRANSLATE_NOOP("TDataSetAction", "&Nächster"), QT_TRANSLATE_NOOP("TDataSetAction", "Nächster Datensatz")},
    {QT_TRANSLATE_NOOP("TDataSetAction", "&Letzter"), QT_TRANSLATE_NOOP("TDataSetAction", "Letzter Datensatz")},
    {QT_TRANSLATE_NOOP("TDataSetAction", "&Einfügen"), QT_TRANSLATE_NOOP("TDataSetAction", "Datensatz einfügen")},
    {QT_TRANSLATE_NOOP("TDataSetAction", "&Löschen"), QT_TRANSLATE_NOOP("TDataSetAction", "Datensatz löschen")},
    {QT_TRANSLATE_NOOP("TDataSetAction", "Ü&bernehmen"), QT_TRANSLATE_NOOP("TDataSetAction", "Übernehmen")},
    {QT_TRANSLATE_NOOP("TDataSetAction", "&Abbrechen"), QT_TRANSLATE_NOOP("TDataSetAction", "Bearbeiten abbrechen")},
};

QString translated(const char* text)
{
    return QCoreApplication::translate("TDataSetAction", text);
}

bool editing(const TDataSet& ds)
{
    return ds.State() == dsEdit || ds.State() == dsInsert;
}

}  // namespace

QPixmap DataSetActionGlyph(TDataSetActionKind kind)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 52, 72));
    auto triangle = [&](bool left, qreal x) {
        if (left)
            p.drawPolygon(QPolygonF({QPointF(x + 6, 3), QPointF(x + 6, 13), QPointF(x, 8)}));
        else
            p.drawPolygon(QPolygonF({QPointF(x, 3), QPointF(x, 13), QPointF(x + 6, 8)}));
    };
    const QColor green(30, 130, 60), red(190, 40, 40);
    switch (kind) {
    case daFirst:
        p.drawRect(QRectF(3, 3, 2, 10));
        triangle(true, 6);
        break;
    case daPrior: triangle(true, 5); break;
    case daNext: triangle(false, 5); break;
    case daLast:
        triangle(false, 4);
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case daInsert:
        p.setBrush(green);
        p.drawRect(QRectF(7, 2, 2.5, 12));
        p.drawRect(QRectF(2, 6.75, 12, 2.5));
        break;
    case daDelete:
        p.setBrush(red);
        p.drawRect(QRectF(2, 6.75, 12, 2.5));
        break;
    case daPost:
        p.setPen(QPen(green, 2.4));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case daCancel:
        p.setPen(QPen(red, 2.4));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
    return pm;
}

TDataSetAction::TDataSetAction(TActionList* list, const QString& name, TDataSetActionKind kind)
    : TAction(list, name), kind_(kind)
{
    SetCaption(translated(kKinds[kind].caption));
    SetHint(translated(kKinds[kind].hint));
    OnExecute = [this](QObject*) {
        RunGuarded([this] {
            if (TDataSet* ds = DataSet())
                ExecuteTarget(*ds);
        });
    };
    OnUpdate = [this](QObject*) { SetEnabled(EnabledFor(DataSet())); };
    SetEnabled(false);
}

void TDataSetAction::SetDataSource(TDataSource* source)
{
    dataSource_ = source;
    Update();
}

TDataSet* TDataSetAction::DataSet() const
{
    if (!dataSource_ || !dataSource_->Enabled())
        return nullptr;
    return dataSource_->DataSet();
}

bool TDataSetAction::EnabledFor(const TDataSet* ds) const
{
    if (!ds || !ds->Active())
        return false;
    switch (kind_) {
    case daFirst:
    case daPrior: return !ds->Bof();
    case daNext:
    case daLast: return !ds->Eof();
    case daInsert: return ds->CanModify();
    case daDelete: return ds->CanModify() && !ds->IsEmpty();
    case daPost:
    case daCancel: return editing(*ds);
    }
    return false;
}

void TDataSetAction::ExecuteTarget(TDataSet& ds) const
{
    switch (kind_) {
    case daFirst: ds.First(); break;
    case daPrior: ds.Prior(); break;
    case daNext: ds.Next(); break;
    case daLast: ds.Last(); break;
    case daInsert: ds.Insert(); break;
    case daDelete: ds.Delete(); break;
    case daPost: ds.Post(); break;
    case daCancel: ds.Cancel(); break;
    }
}

QStringList DataSetActionNames(int number)
{
    QStringList names;
    for (const char* base : {"DataSetFirst", "DataSetPrior", "DataSetNext", "DataSetLast", "DataSetInsert",
                             "DataSetDelete", "DataSetPost", "DataSetCancel"})
        names << QString::fromLatin1(base) + QString::number(number);
    return names;
}

int AddDataSetActionImages(TImageList* images)
{
    const int first = images->Count();
    for (int k = daFirst; k <= daCancel; ++k)
        images->Add(DataSetActionGlyph(TDataSetActionKind(k)));
    return first;
}

TDataSetActions CreateDataSetActions(TActionList* list, const QStringList& names, TDataSource* source,
                                     const QStringList& hints)
{
    Q_ASSERT(names.size() == daCancel + 1);
    Q_ASSERT(hints.isEmpty() || hints.size() == daCancel + 1);
    TDataSetActions a;
    a.First = new TDataSetFirst(list, names[daFirst]);
    a.Prior = new TDataSetPrior(list, names[daPrior]);
    a.Next = new TDataSetNext(list, names[daNext]);
    a.Last = new TDataSetLast(list, names[daLast]);
    a.Insert = new TDataSetInsert(list, names[daInsert]);
    a.Delete = new TDataSetDelete(list, names[daDelete]);
    a.Post = new TDataSetPost(list, names[daPost]);
    a.Cancel = new TDataSetCancel(list, names[daCancel]);
    for (TDataSetAction* action : a.All()) {
        action->SetImageIndex(action->Kind());
        action->SetDataSource(source);
        if (!hints.isEmpty())
            action->SetHint(hints[action->Kind()]);
    }
    return a;
}

void AddDataSetButtons(QToolBar* bar, const TDataSetActions& actions)
{
    for (TDataSetAction* a : actions.All()) {
        if (a->Kind() == daInsert)
            bar->addSeparator();
        AddActionButton(bar, a);
    }
}
