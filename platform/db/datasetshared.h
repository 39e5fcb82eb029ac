#pragma once
// What the three source files of TDataSet share: the comparisons that the snapshot, the editing
// and the search apply alike, the message of a refused change, and the filter compiler.
#include <QString>
#include <QVariant>

#include "platform/db/dataset.h"

namespace datasetdetail {

// Rows a keyed dataset reads around the one asked for at a time, and how many it keeps.
constexpr int kPageSize = 128;
constexpr size_t kCacheLimit = 16384;

// Names of fields, columns and tables compare without case, as the database engine's do.
bool sameName(const QString& a, const QString& b);
// Orders two stored values as the cursor sorts them: Null first, text without case after the
// numbers, blobs by their bytes.
int compareValues(const QVariant& a, const QVariant& b);
QString readOnlyMessage();
// The compiler that SetFilterCompiler installed (empty until then).
FilterCompiler& filterCompiler();

}  // namespace datasetdetail
