// The period statistics window's output: the Excel export of the visible columns, the painting
// of the grid's cells in the colours of their sports, forms, load levels, load types and blocks,
// and the print dialog.
#include <QPainter>
#include <QProgressBar>

#include <algorithm>

#include "analysis/zeitdruckdialog.h"
#include "analysis/zeitraumneu.h"
#include "analysis/zeitraumoutput.h"
#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/vcl/dbgrids.h"

void TZeitNeu::Button2Click(QObject*)
{
    // The file name first: Cancel writes nothing.
    if (!excelDialog.Execute(this))
        return;
    QStringList fields;
    const TDBGridColumns& columns = DBGrid1->Columns();
    for (int i = 0; i < columns.Count(); ++i)
        if (columns[i]->Visible())
            fields << columns[i]->FieldName();
    TQuery& result = orvServer->zeitraum;
    result.DisableControls();
    ProgressBar1->setMaximum(result.Active() ? std::max(result.RecordCount(), 1) : 1);
    auto done = [this, &result] {
        result.EnableControls();
        ProgressBar1->setValue(0);
    };
    try {
        // A save that fails (a folder that cannot be written) reaches the error box.
        ExportPeriodResult(result, fields, excelDialog.FileName(), [this](int rows) { ProgressBar1->setValue(rows); });
    } catch (...) {
        done();
        throw;
    }
    done();
}

void TZeitNeu::DBGrid1DrawColumnCell(QObject*, const QRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)
{
    QPainter* canvas = DBGrid1->Canvas();
    if (!canvas || !Column)
        return;
    TField* field = Column->Field();
    // Grid column 0 shows the unit key: negative on a block's summary row.
    TColumn* first = DBGrid1->Columns().Count() > 0 ? DBGrid1->Columns()[0] : nullptr;
    TField* key = first ? first->Field() : nullptr;
    const TPeriodCellLook look =
        PeriodCellLook(Column->FieldName(), field ? field->Value() : QVariant(), key ? key->Value() : QVariant(),
                       State.testFlag(gdSelected), PeriodColorSettings(orvServer->config), PeriodLookupColor);
    if (look.Background)
        canvas->setBrush(ToQColor(*look.Background));
    if (look.Text)
        canvas->setPen(ToQColor(*look.Text));
    QFont font = canvas->font();
    font.setBold(look.Bold);
    canvas->setFont(font);
    DBGrid1->DefaultDrawColumnCell(Rect, DataCol, Column, State);
}

void TZeitNeu::SpeedButton9Click(QObject*)
{
    ModalForm<Tzeitdruckdlg> dlg(zeitdruckdlg, this);
    dlg->ShowModal();
}
