#include "core/unitpacket.h"

#include <QCoreApplication>

#include <cmath>
#include <utility>
#include <vector>

#include "core/language.h"
#include "core/messageids.h"

namespace {

QString tr(const char* s) { return QCoreApplication::translate("UnitPacket", s); }

bool editing(const TDataSet& d)
{
    return d.State() == dsEdit || d.State() == dsInsert;
}

// A unit of `daten` the user is looking at or entering.
bool holdsUnit(const TDataSet& d)
{
    return d.Active() && (editing(d) || !d.IsEmpty());
}

// The packet's first row, checked against the fields of `daten` it fills: each value converted
// to the receiving field's type. Raises EDatabaseError for a packet that fills no unit field or
// holds a value the field cannot take.
std::vector<std::pair<TField*, QVariant>> checkedValues(TClientDataSet& cds2, const TDataSet& daten)
{
    std::vector<std::pair<TField*, QVariant>> values;
    for (const QString& name : UnitPacketFieldNames(daten)) {
        const TField* source = cds2.FindField(name);
        if (!source)
            continue;
        TField* target = daten.FieldByName(name);
        const QVariant v = source->Value();
        try {
            values.emplace_back(target, target->ConvertValue(v));
        } catch (const Exception&) {
            throw EDatabaseError(tr("Ungültiger Wert '%1' im Feld '%2'.").arg(v.toString(), name));
        }
    }
    if (values.empty())
        throw EDatabaseError(tr("Die Datei enthält keine Trainingseinheit."));
    return values;
}

}  // namespace

QStringList UnitPacketFieldNames(const TDataSet& daten)
{
    QStringList names;
    for (int i = 0; i < daten.FieldCount(); ++i) {
        const TField* f = daten.Field(i);
        // The key stays with its unit: a pasted unit gets a key of its own when saved.
        if (f->FieldKind() == fkData && f->FieldName().compare(QLatin1String("dat_Id"), Qt::CaseInsensitive) != 0)
            names << f->FieldName();
    }
    return names;
}

void DeclareUnitPacketFields(const TDataSet& daten, TClientDataSet& cds)
{
    if (cds.FieldCount() > 0)
        return;
    // The packet's fields: the stored fields of `daten`, the key included, in their order, shown
    // and typed as `daten` shows them.
    for (int i = 0; i < daten.FieldCount(); ++i) {
        const TField* f = daten.Field(i);
        if (f->FieldKind() != fkData)
            continue;
        TField* g = cds.AddField(f->FieldName(), f->DataType(), f->Size());
        g->SetDisplayFormat(f->DisplayFormat());
        g->SetEditMask(f->EditMask());
    }
}

bool WriteUnitPacket(const TDataSet& daten, TClientDataSet& cds, const QString& fileName)
{
    if (!holdsUnit(daten))
        return false;
    cds.Close();
    DeclareUnitPacketFields(daten, cds);
    try {
        cds.CreateDataSet();
        cds.Insert();
        for (const QString& name : UnitPacketFieldNames(daten))
            cds.FieldByName(name)->SetValue(daten.FieldByName(name)->Value());
        cds.Post();
        cds.SaveToFile(fileName);
    } catch (...) {
        if (cds.State() == dsInsert)
            cds.Cancel();
        cds.Close();
        throw;
    }
    cds.Close();
    return true;
}

namespace {

// Fills the unit of `daten` from values checked against its fields: the unit being edited or
// inserted, else a new one. A template's date is its own or today; the block follows `use`.
void fillUnit(std::vector<std::pair<TField*, QVariant>> values, TDataSet& daten, TConnection& db, TUnitPacketUse use)
{
    TField* datum = daten.FieldByName(QStringLiteral("Datum"));
    TField* block = daten.FieldByName(QStringLiteral("trainingsblock"));
    for (auto& [field, value] : values) {
        if (use == TUnitPacketUse::Template && field == datum &&
            (value.isNull() || value.toDouble() == 0))
            value = QVariant(std::trunc(Date()));
        if (field != block)
            continue;
        if (use == TUnitPacketUse::Template) {
            value = 0;
        } else {
            // A block deleted since the copy is replaced: saving the unit then makes a new one.
            const bool exists =
                !value.isNull() &&
                db.ExecuteScalar(QStringLiteral("SELECT COUNT(*) FROM trainingsblock WHERE trb_Id = ?"), {value}).toInt() > 0;
            if (!exists)
                value = 0;
        }
    }
    // A template dates its unit, and its block is always new, even when the packet has neither
    // field.
    auto has = [&values](const TField* f) {
        for (const auto& v : values)
            if (v.first == f)
                return true;
        return false;
    };
    if (use == TUnitPacketUse::Template) {
        if (!has(datum))
            values.emplace_back(datum, QVariant(std::trunc(Date())));
        if (!has(block))
            values.emplace_back(block, QVariant(0));
    }
    // Block 0 asks the save for a new block, which only a new unit gets: a saved unit being
    // edited keeps the block it belongs to rather than be left without one.
    if (daten.State() == dsEdit) {
        for (auto it = values.begin(); it != values.end(); ++it) {
            if (it->first == block && it->second.toInt() == 0) {
                values.erase(it);
                break;
            }
        }
    }

    // 2. The unit: the one being edited or inserted, else a new one.
    const bool inserted = !editing(daten);
    if (inserted)
        daten.Insert();
    std::vector<std::pair<TField*, QVariant>> before;
    for (const auto& v : values)
        before.emplace_back(v.first, v.first->Value());
    try {
        for (const auto& [field, value] : values)
            field->SetValue(value);
    } catch (...) {
        // Nothing half-written: a new unit goes again, an edited one gets its values back.
        if (inserted) {
            daten.Cancel();
        } else {
            for (const auto& [field, value] : before)
                field->SetValue(value);
        }
        throw;
    }
}

}  // namespace

bool ReadUnitPacket(TClientDataSet& cds2, TDataSet& daten, TConnection& db, const QString& fileName,
                    TUnitPacketUse use)
{
    // 1. The whole file, read and checked before `daten` is touched.
    std::vector<std::pair<TField*, QVariant>> values;
    try {
        cds2.LoadFromFile(fileName);
        if (cds2.IsEmpty()) {
            cds2.Close();
            return false;
        }
        cds2.First();
        values = checkedValues(cds2, daten);
    } catch (const EDatabaseError& e) {
        cds2.Close();
        throw EDatabaseError(LoadStr(msg::FileNotInterpretable) + QLatin1Char('\n') + e.Message());
    } catch (...) {
        cds2.Close();
        throw;
    }
    cds2.Close();
    fillUnit(std::move(values), daten, db, use);
    return true;
}

bool ApplyUnitTemplate(TClientDataSet& cds, TClientDataSet& cds2, TDataSet& daten, TConnection& db)
{
    if (!cds.Active())
        return false;
    // A value still being typed belongs to the template.
    if (editing(cds))
        cds.Post();
    if (cds.IsEmpty())
        return false;
    // The template is read through a copy of its rows, so the editor's buffer stays as it is.
    std::vector<std::pair<TField*, QVariant>> values;
    try {
        cds2.Close();
        cds2.SetData(cds.Data());
        cds2.First();
        values = checkedValues(cds2, daten);
    } catch (...) {
        cds2.Close();
        throw;
    }
    cds2.Close();
    // A value the template leaves empty does not empty a field the unit must have: the unit
    // keeps its value or the new unit's default, so it can still be saved.
    std::erase_if(values, [](const auto& v) { return v.second.isNull() && v.first->Required(); });
    fillUnit(std::move(values), daten, db, TUnitPacketUse::Template);
    return true;
}
