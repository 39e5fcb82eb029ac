#pragma once
#include <memory>
// The preview tool (tool "Vorschau"): the main fields of the unit chosen in the entry window's
// explorer list, read from the data module's dataset `explorer`.
#include "platform/vcl/forms.h"
#include <QLabel>
#include <QList>

namespace Ui {
class TtoolExplorerFrm;
}

class TDataSet;

class TtoolExplorerFrm : public TFrame {
    Q_OBJECT
public:
    explicit TtoolExplorerFrm(QWidget* Owner = nullptr);
    ~TtoolExplorerFrm() override;

    std::unique_ptr<Ui::TtoolExplorerFrm> ui;
    // DBText1 .. DBText9, each showing the field named by its property "DataField".
    QList<QLabel*> DBTexts;

    // Shows the current row of the dataset; empty texts while it is closed or empty.
    void ShowRow(TDataSet* dataSet);
};

extern TtoolExplorerFrm* toolExplorerFrm;
