#pragma once
// Binding a form's data-aware controls as its .ui file describes them: each control names its
// data source by the dynamic property "DataSource" and its field by "DataField"; lookup boxes
// add "ListSource", "KeyField" and "ListField". Navigators and grids need a data source only.
#include <QString>

#include <functional>

class QWidget;
class TDataSource;

// Binds every control below the form that names a data source which sourceByName knows (null
// for an unknown name leaves the control unbound).
void BindDataControls(QWidget* form, const std::function<TDataSource*(const QString& name)>& sourceByName);
