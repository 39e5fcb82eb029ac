#include "exchange/tableimport.h"

#include <QCoreApplication>

#include "core/orvdbserver.h"
#include "platform/office/accessdatabase.h"
#include "platform/office/sheettablesource.h"
#include "platform/rtl/inifiles.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("TTableImport", text);
}

const QString kSection = QStringLiteral("Zuordnung");

// The column of a source field; the database engine compared field names without case.
int columnOf(const QStringList& fields, const QString& name)
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// A lookup field takes the text its list shows: the key of the lookup row with that text goes
// into the key field.
void assignLookup(TDataSet& target, TField* f, const TableValue& v)
{
    TDataSet* list = f->LookupDataSet();
    const QString text = v.AsText();
    const QVariant key = list ? list->Lookup(f->LookupResultField(), text, f->LookupKeyFields()) : QVariant();
    if (!key.isValid() || key.isNull())
        throw EConvertError(tr("'%1' ist kein Eintrag der Liste").arg(text));
    target.FieldByName(f->KeyFields())->SetValue(key);
}

// Each cell converted into its field by the cell's own kind: a number or a date into numeric
// and date fields as it is, a text read with the decimal point (numbers) or in the user's date
// format (dates); into text fields the cell as the spreadsheet shows it.
void assign(TDataSet& target, TField* f, const TableValue& v)
{
    if (v.IsEmpty()) {
        if (!f->Lookup())
            f->Clear();
        return;
    }
    if (f->Lookup()) {
        assignLookup(target, f, v);
        return;
    }
    switch (f->DataType()) {
    case ftString:
    case ftMemo:
        f->SetAsString(v.AsText());
        return;
    case ftDate:
    case ftTime:
    case ftDateTime:
        if (v.kind() == TableValue::Kind::Text)
            f->SetAsString(v.Text().trimmed());
        else
            f->SetAsDateTime(v.Number());
        return;
    case ftBoolean:
        if (v.kind() == TableValue::Kind::Text)
            f->SetAsString(v.Text().trimmed());
        else
            f->SetAsBoolean(v.Number() != 0);
        return;
    default:
        if (f->IsNumeric())
            f->SetValue(v.AsFloat());
        else
            f->SetValue(v.ToVariant());
    }
}

// The split rows' after-save rule reads the current unit's rows again after every row; the
// import refreshes them once at its end instead.
class AfterPostDetached {
public:
    explicit AfterPostDetached(TDataSet& ds) : ds_(ds), saved_(ds.AfterPost) { ds.AfterPost = nullptr; }
    ~AfterPostDetached() { ds_.AfterPost = saved_; }
    AfterPostDetached(const AfterPostDetached&) = delete;
    AfterPostDetached& operator=(const AfterPostDetached&) = delete;

private:
    TDataSet& ds_;
    decltype(TDataSet::AfterPost) saved_;
};

}  // namespace

OfficeResult<std::unique_ptr<TableSource>> OpenImportSource(const QString& fileName, bool excel)
{
    if (excel)
        return OpenExcelSource(fileName);
    OfficeResult<std::unique_ptr<AccessDatabase>> db = AccessDatabase::Open(fileName);
    if (!db.Ok())
        return db.Error();
    return std::unique_ptr<TableSource>(std::move(db.Value()));
}

QString TImportMapping::Add(const QString& source, const QString& target)
{
    if (source.isEmpty() || target.isEmpty())
        return tr("Bitte wählen Sie ein Quellfeld und ein Zielfeld aus.");
    if (pairs_.size() >= MaxPairs)
        return tr("Es können höchstens %1 Felder zugeordnet werden.").arg(MaxPairs);
    pairs_.append({source, target});
    return QString();
}

QStringList TImportMapping::Lines() const
{
    QStringList lines;
    for (const Pair& p : pairs_)
        lines << p.source + QStringLiteral(" -> ") + p.target;
    return lines;
}

void TImportMapping::Save(const QString& fileName) const
{
    TIniFile ini(fileName);
    for (int i = 0; i < MaxPairs; ++i) {
        const Pair p = i < pairs_.size() ? pairs_[i] : Pair{};
        ini.WriteString(kSection, QStringLiteral("zf%1").arg(i), p.source);
        ini.WriteString(kSection, QStringLiteral("zt%1").arg(i), p.target);
    }
}

void TImportMapping::Load(const QString& fileName)
{
    pairs_.clear();
    const TIniFile ini(fileName);
    for (int i = 0; i < MaxPairs; ++i) {
        const QString source = ini.ReadString(kSection, QStringLiteral("zf%1").arg(i), QString());
        const QString target = ini.ReadString(kSection, QStringLiteral("zt%1").arg(i), QString());
        if (!source.isEmpty() && !target.isEmpty())
            pairs_.append({source, target});
    }
}

QStringList ImportTargetFields(const TDataSet& target)
{
    QStringList names;
    for (int i = 0; i < target.FieldCount(); ++i) {
        const TField* f = target.Field(i);
        const QString& name = f->FieldName();
        if (f->Calculated() || name == QLatin1String("dat_Id") || name.startsWith(QLatin1String("unt_")))
            continue;
        names << name;
    }
    return names;
}

bool TTableImport::Run(const TableSource& source, const QString& table, const TImportMapping& mapping,
                       TDataSet& target, bool hrm)
{
    error_.clear();
    rows_ = 0;
    if (mapping.IsEmpty()) {
        error_ = tr("Es wurde keine Zuordnung vorgenommen.");
        return false;
    }
    OfficeResult<QStringList> fields = source.FieldNames(table);
    if (!fields.Ok()) {
        error_ = fields.Error().Text();
        return false;
    }
    // Every mapped field must exist on both sides before anything is written.
    QVector<int> columns;
    QVector<TField*> targets;
    QStringList missing;
    for (const TImportMapping::Pair& p : mapping.Pairs()) {
        const int column = columnOf(fields.Value(), p.source);
        TField* f = target.FindField(p.target);
        if (column < 0)
            missing << tr("Quelle \"%1\"").arg(p.source);
        if (!f || f->Calculated())
            missing << tr("Ziel \"%1\"").arg(p.target);
        columns << column;
        targets << f;
    }
    if (!missing.isEmpty()) {
        error_ = tr("Diese Felder der Zuordnung gibt es nicht: %1").arg(missing.join(QStringLiteral(", ")));
        return false;
    }
    TorvServer& server = *orvServer;
    TDataSet& daten = server.daten;
    const bool splitRows = &target == &server.zeit;
    // Split rows belong to the current unit; one not saved yet has no id to give them.
    if (splitRows && (!daten.Active() || daten.IsEmpty() || daten.State() == dsInsert)) {
        error_ = tr("Zwischenzeiten gehören zu einer Einheit: wählen oder speichern Sie zuerst die Einheit.");
        return false;
    }
    // Only the mapped fields are read, and only records that hold a value in one of them: a
    // row without any is skipped as the copy always did.
    OfficeResult<TableRecords> records = source.Records(table, columns);
    if (!records.Ok()) {
        error_ = records.Error().Text();
        return false;
    }
    if (onStart)
        onStart(int(records.Value().size()));
    // Required fields the mapping does not name get 0 where the new row leaves them empty (the
    // unit's kind and load, its time), as the other imports write them; a date the new row
    // brings stays.
    QVector<TField*> defaults;
    for (int i = 0; i < target.FieldCount(); ++i) {
        TField* f = target.Field(i);
        if (f->FieldKind() == fkData && f->Required() && !targets.contains(f) &&
            (f->IsNumeric() || f->DataType() == ftDateTime || f->DataType() == ftTime))
            defaults << f;
    }
    TField* hrmField = target.FindField(QStringLiteral("zei_hrm"));
    if (hrmField && hrmField->Index() == 0)
        hrmField = nullptr;

    // Rows are named as the user finds them: the sheet's row number, or the record's number.
    const bool sheets = dynamic_cast<const SheetTableSource*>(&source) != nullptr;
    const QString rowWord = sheets ? tr("Zeile %1") : tr("Datensatz %1");

    const QVariant previous = daten.Active() && !daten.IsEmpty() && daten.State() == dsBrowse
                                  ? daten.FieldByName(QStringLiteral("dat_Id"))->Value()
                                  : QVariant();
    TConnection& db = server.orvDB;
    AfterPostDetached splitRule(server.zeit);
    qsizetype r = 0;
    int pair = -1;
    bool posted = false;
    db.BeginTrans();
    try {
        for (; r < records.Value().size(); ++r) {
            const QVector<TableValue>& values = records.Value()[r].values;
            pair = -1;
            target.Insert();
            for (pair = 0; pair < columns.size(); ++pair)
                assign(target, targets[pair], values[pair]);
            pair = -1;
            for (TField* f : defaults)
                if (f->IsNull())
                    f->SetValue(QVariant(0.0));
            if (hrmField)
                hrmField->SetAsBoolean(hrm);
            target.Post();
            posted = true;
            ++rows_;
            if (onRow)
                onRow(rows_);
        }
        db.CommitTrans();
    } catch (const std::exception& e) {
        if (target.State() == dsInsert || target.State() == dsEdit)
            target.Cancel();
        if (db.InTransaction())
            db.RollbackTrans();
        // The rows posted inside the transaction are gone with it: the target reads again.
        if (posted) {
            target.Close();
            target.Open();
            if (&target == &daten && (!previous.isValid() || !daten.Locate(QStringLiteral("dat_Id"), previous)))
                daten.Last();
        }
        // A failure after the last record (the commit) concerns no record of its own.
        if (r < records.Value().size()) {
            QString where = rowWord.arg(records.Value()[r].number);
            if (pair >= 0)
                where += tr(", Feld \"%1\"").arg(mapping.Pairs()[pair].source);
            error_ = where + QStringLiteral(": ") + ExceptionMessage(e);
        } else {
            error_ = ExceptionMessage(e);
        }
        rows_ = 0;
        return false;
    }
    return true;
}
