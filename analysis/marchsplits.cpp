#include "analysis/marchsplits.h"

#include "analysis/calcduration.h"
#include "core/entrywindowview.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "platform/db/fields.h"
#include "platform/vcl/dialogs.h"

void InsertMarchSplits(const QList<TMarchRow>& rows)
{
    TorvServer& s = *orvServer;
    if (!s.daten.Active() || s.daten.IsEmpty()) {
        MessageDlg(LoadStr(msg::NoRecordSelected), mtError, {mbOK});
        return;
    }
    if (s.daten.State() == dsInsert) {
        MessageDlg(LoadStr(msg::SaveUnitFirst), mtError, {mbOK});
        return;
    }
    std::vector<int> marks;
    std::vector<int64_t> times;
    for (const TMarchRow& r : rows) {
        marks.push_back(StrToInt(r[0].trimmed()));  // the mark: whole metres
        times.push_back(MaskTextToMs(r[1]));
    }
    if (rows.isEmpty())
        return;

    s.orvDB.BeginTrans();
    try {
        for (int i = 0; i < rows.size(); ++i) {
            s.zeit.Insert();
            // The marks are metres: set as such, not as text, which the split rules would read
            // in the sport's distance unit (a 1000 m mark would become 1000 km).
            s.zeit.FieldByName(QStringLiteral("Meter"))->SetAsInteger(marks[size_t(i)]);
            s.zeit.FieldByName(QStringLiteral("Zwischenzeit"))->SetAsDateTime(MsToDuration(times[size_t(i)]));
            s.zeit.Post();
        }
        s.orvDB.CommitTrans();
    } catch (...) {
        if (s.zeit.State() == dsInsert || s.zeit.State() == dsEdit)
            s.zeit.Cancel();
        s.orvDB.RollbackTrans();
        // The split dataset still shows the rows that were taken back: read them anew.
        if (EntryWindowView* entry = View<EntryWindowView>())
            entry->updateZwSql();
        else if (s.zeit.Active())
            s.zeit.Requery();
        throw;
    }
}
