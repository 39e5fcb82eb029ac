#include "platform/vcl/databinding.h"

#include <QVariant>
#include <QWidget>

#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dbgrids.h"

void BindDataControls(QWidget* form, const std::function<TDataSource*(const QString& name)>& sourceByName)
{
    auto source = [&](const QVariant& name) { return name.isValid() ? sourceByName(name.toString()) : nullptr; };
    for (QWidget* w : form->findChildren<QWidget*>()) {
        TDataSource* ds = source(w->property("DataSource"));
        if (!ds)
            continue;
        // The list first, so that the box shows the field's row as soon as it is bound.
        if (auto* list = dynamic_cast<TLookupList*>(w)) {
            list->SetListSource(source(w->property("ListSource")));
            list->SetKeyField(w->property("KeyField").toString());
            list->SetListField(w->property("ListField").toString());
        }
        if (auto* c = dynamic_cast<TFieldControl*>(w)) {
            c->SetDataSource(ds);
            c->SetDataField(w->property("DataField").toString());
        } else if (auto* nav = qobject_cast<TDBNavigator*>(w)) {
            nav->SetDataSource(ds);
        } else if (auto* grid = qobject_cast<TDBGrid*>(w)) {
            grid->SetDataSource(ds);
        }
    }
}
