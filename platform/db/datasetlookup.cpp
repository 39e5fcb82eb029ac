// TDataSet: the index behind Lookup. A lookup field computes its value through Lookup whenever a
// record is loaded or a field of the record being edited changes, so a scan of the lookup
// dataset per call makes every field write cost a pass over that table. The index maps the key
// fields' values to the positions of the rows that hold them; it is built on the first Lookup
// over those fields and dropped whenever the rows, their order or the filter change (open,
// close, requery, post, delete, a new order or filter, a row cache that lets rows go).
//
// Results are exactly those of the scan: values are grouped by the same equality the scan
// applies (Null only equals Null, text compares with its case, numbers by their value, a
// number searched in a text column by its text), and the first matching row in cursor order is
// the one returned. Where a value cannot be grouped that way (blobs, dates kept as other types,
// NaN) or the key is a calculated field, Lookup scans as before.
#include <QByteArray>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/db/dataset.h"
#include "platform/db/datasetshared.h"

namespace {

// Rows a keyed dataset must be able to keep together for an index (its row cache's limit less
// one page, so that building the index lets no row go).
constexpr int kIndexableRows = int(datasetdetail::kCacheLimit) - datasetdetail::kPageSize;

enum class KeyKind { Null, Text, Number, Other };

KeyKind kindOf(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return KeyKind::Null;
    switch (v.typeId()) {
    case QMetaType::QString:
        return KeyKind::Text;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UShort:
        return std::isnan(v.toDouble()) ? KeyKind::Other : KeyKind::Number;
    default:
        return KeyKind::Other;
    }
}

void appendText(QByteArray& key, const QString& s)
{
    key += 'S';
    const qsizetype n = s.size();
    key.append(reinterpret_cast<const char*>(&n), sizeof n);
    key.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

void appendNumber(QByteArray& key, double d)
{
    if (d == 0)
        d = 0;  // -0 equals 0
    key += 'N';
    key.append(reinterpret_cast<const char*>(&d), sizeof d);
}

}  // namespace

void TDataSet::dropLookupIndexes()
{
    lookupIndexes_.clear();
    keyPositions_.clear();
}

const TDataSet::LookupIndex* TDataSet::lookupIndex(const std::vector<TField*>& fs)
{
    for (const auto& ix : lookupIndexes_)
        if (ix->fields == fs)
            return ix->usable ? ix.get() : nullptr;
    for (TField* f : fs)
        if (f->column_ < 0)
            return nullptr;  // calculated and lookup keys need the whole record: scanned
    if (keyed_ && count() > kIndexableRows)
        return nullptr;
    // A large table's keys are read in pages while the cursor moves; the index needs them all.
    materializeKeys();
    const int64_t letGo = rowsLetGo_;
    auto ix = std::make_unique<LookupIndex>();
    ix->fields = fs;
    const int n = count();
    for (int p = 0; p < n && ix->usable; ++p) {
        QByteArray key;
        for (TField* f : fs) {
            const QVariant v = rowFieldValue(p, f);
            switch (kindOf(v)) {
            case KeyKind::Null:
                key += 'Z';
                break;
            case KeyKind::Text:
                appendText(key, v.toString());
                break;
            case KeyKind::Number:
                appendNumber(key, v.toDouble());
                break;
            case KeyKind::Other:
                ix->usable = false;
                break;
            }
        }
        if (ix->usable)
            ix->positions[key].push_back(p);
    }
    if (!ix->usable)
        ix->positions.clear();
    // Rows let go while the index was read may be read again with other values: no index then.
    if (rowsLetGo_ != letGo)
        return nullptr;
    lookupIndexes_.push_back(std::move(ix));
    return lookupIndexes_.back()->usable ? lookupIndexes_.back().get() : nullptr;
}

bool TDataSet::indexedPositions(const std::vector<TField*>& fs, const QVariantList& vals, std::vector<int>& out)
{
    const LookupIndex* ix = lookupIndex(fs);
    if (!ix)
        return false;
    // The keys a row may hold to match: a number is also found as its text in a text column.
    std::vector<QByteArray> keys{QByteArray()};
    for (const QVariant& want : vals) {
        std::vector<QByteArray> next;
        switch (kindOf(want)) {
        case KeyKind::Null:
            for (QByteArray k : keys)
                next.push_back(k + 'Z');
            break;
        case KeyKind::Text:
            for (QByteArray k : keys) {
                appendText(k, want.toString());
                next.push_back(k);
            }
            break;
        case KeyKind::Number:
            for (const QByteArray& k : keys) {
                QByteArray asNumber = k;
                appendNumber(asNumber, want.toDouble());
                next.push_back(asNumber);
                QByteArray asText = k;
                appendText(asText, want.toString());
                next.push_back(asText);
            }
            break;
        case KeyKind::Other:
            return false;
        }
        keys = std::move(next);
    }
    out.clear();
    for (const QByteArray& k : keys) {
        const auto it = ix->positions.constFind(k);
        if (it != ix->positions.constEnd())
            out.insert(out.end(), it->begin(), it->end());
    }
    if (keys.size() > 1) {
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
    }
    return true;
}
