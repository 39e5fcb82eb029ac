#include "traininglog/unitlist.h"

#include <QComboBox>
#include <QLabel>

#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/dialogs.h"
#include "traininglog/unitsearch.h"

namespace {

void addColumns(TDBGrid* grid, const QList<TUnitListColumn>& columns)
{
    for (const TUnitListColumn& c : columns) {
        TColumn* col = grid->Columns().Add();
        col->SetFieldName(c.Field);
        if (!c.Title.isEmpty())
            col->Title().SetCaption(c.Title);
        col->SetWidth(c.Width);
    }
}

}  // namespace

void SetUpUnitList(TQuery& list, TDataSource& source, TDBGrid* grid, const QString& sql,
                   const QList<TUnitListColumn>& columns)
{
    list.SetReadOnly(true);
    if (orvServer)
        list.SetConnection(&orvServer->orvDB);
    list.SetSQLText(sql);
    source.SetDataSet(&list);
    grid->SetDataSource(&source);
    grid->SetReadOnly(true);
    grid->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgRowSelect |
                     dgAlwaysShowSelection);
    addColumns(grid, columns);
}

void ShowUnitList(TQuery& list, TDBGrid* grid)
{
    if (!list.Active()) {
        list.Open();
        list.FieldByName(QStringLiteral("Datum"))->SetDisplayFormat(FormatSettings().ShortDateFormat);
        list.FieldByName(QStringLiteral("Zeit"))->SetDisplayFormat(QStringLiteral("hh:mm:ss"));
    }
    list.Last();
    grid->setFocus();
}

void SetUpUnitSearch(TDBGrid* results, const QList<TUnitListColumn>& columns, QComboBox* fields)
{
    if (orvServer)
        results->SetDataSource(&orvServer->dsNavSuchen);
    results->SetReadOnly(true);
    results->SetOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    addColumns(results, columns);
    fields->addItems(UnitSearchFields());
    fields->setCurrentIndex(-1);
}

void RunUnitSearch(QComboBox* fields, const QString& text, QLabel* count)
{
    if (!orvServer)
        return;
    if (fields->currentIndex() < 0)
        fields->setCurrentIndex(0);
    // A failing search leaves the result list empty; the count keeps the last one.
    try {
        const int found = SearchUnitsByPrefix(orvServer->navSuchen, fields->currentText(), text);
        if (found >= 0)
            count->setText(QString::number(found));
    } catch (const Exception&) {
    }
}

void GoToSearchResult(TQuery& list)
{
    TQuery& found = orvServer->navSuchen;
    const bool located = found.Active() && !found.IsEmpty() &&
                         list.Locate(QStringLiteral("dat_Id"), found.FieldByName(QStringLiteral("DAT_ID"))->Value());
    if (!located)
        MessageDlg(LoadStr(msg::NoRecordSelected), mtError, TMsgDlgButtons{mbOK});
}
