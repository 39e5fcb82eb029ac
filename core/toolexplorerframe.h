#pragma once
#include <memory>
// The preview tool (tool "Vorschau"): the main fields of the unit chosen in the entry window's
// explorer list, shown by data-aware texts that follow the data module's `dsExplorer`.
#include "platform/vcl/forms.h"
#include <QList>

namespace Ui {
class TtoolExplorerFrm;
}

class TDataSource;
class TDBText;

class TtoolExplorerFrm : public TFrame {
    Q_OBJECT
public:
    // Binds the texts to the data module's `dsExplorer` when the data module exists.
    explicit TtoolExplorerFrm(QWidget* Owner = nullptr);
    ~TtoolExplorerFrm() override;

    std::unique_ptr<Ui::TtoolExplorerFrm> ui;
    // DBText1 .. DBText9, each bound to the field named by its property "DataField".
    QList<TDBText*> DBTexts;

    // Binds every text to the data source; empty texts while its dataset is closed or empty.
    void SetDataSource(TDataSource* source);
};

extern TtoolExplorerFrm* toolExplorerFrm;
