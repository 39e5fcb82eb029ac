#pragma once
// The unit data packet: one training unit's stored values as a client-dataset data packet. The
// copy buffer "Temp/~copy.xml" and every template ".mt5" have this form. Writing goes through
// the main window's `cds`, reading through its `cds2`; `daten` gives and receives the values.
//
// Values travel between fields of the same name: every stored field of `daten` except `dat_Id`
// (calculated and lookup fields exist only in memory and are recomputed by the data module). A
// packet with its fields in another order, or with fewer of them, still fills the right fields;
// fields it lacks keep their values.
#include <QString>

#include "platform/db/clientdataset.h"
#include "platform/db/connection.h"
#include "platform/db/dataset.h"

enum class TUnitPacketUse {
    Paste,     // the copy buffer: the block stays when it still exists
    Template,  // a template: a date of its own or today, always a new block
};

// The fields `daten` and a packet exchange, in `daten`'s order.
QStringList UnitPacketFieldNames(const TDataSet& daten);

// Gives `cds` the field objects of a unit packet (the stored fields of `daten`, the key included,
// in `daten`'s order, with their display formats and edit masks) unless it has fields already.
void DeclareUnitPacketFields(const TDataSet& daten, TClientDataSet& cds);

// Writes the current unit of `daten` (also a unit being edited) as a one-row packet through
// `cds`, whose field objects are made afresh from `daten`'s stored fields. The old file is
// replaced only by a completely written new one. `cds` is closed afterwards. False, with no file
// written, when `daten` holds no unit.
bool WriteUnitPacket(const TDataSet& daten, TClientDataSet& cds, const QString& fileName);

// Reads a packet file through `cds2` and fills a unit of `daten` from its first row: the unit
// being edited or inserted, else a new one (the data module's new-unit rules run first). The
// unit is left unsaved for the user to complete. The file is read and checked completely before
// `daten` is touched: a file that cannot be read or is no unit packet raises and leaves `daten`
// as it was; a packet without a row changes nothing and gives false. `db` answers whether the
// pasted unit's training block still exists.
bool ReadUnitPacket(TClientDataSet& cds2, TDataSet& daten, TConnection& db, const QString& fileName,
                    TUnitPacketUse use);

// Applies the template held by the open `cds` (the template editor's buffer, a pending edit
// posted first) to a unit of `daten`, through a copy of its rows in `cds2`: the unit being edited
// keeps its id and block, a new unit gets block 0; the date is the template's, or today when it
// has none. Nothing is posted. False, with `daten` untouched, when `cds` is closed or holds no row.
bool ApplyUnitTemplate(TClientDataSet& cds, TClientDataSet& cds2, TDataSet& daten, TConnection& db);
