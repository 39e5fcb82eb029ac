#pragma once
// A consistent copy of a database that a connection has open, taken through SQLite's online
// backup: the copy holds the database as it stood at one moment, with every committed row,
// whatever the file's pages looked like on the disk while it was being read.
#include <QString>

class TConnection;

// Writes the open database of `connection` to the file `target`, replacing an earlier file of
// that name. The copy is written under a temporary name beside the target and renamed when it is
// complete, so a failure never leaves a half-written copy under the target's name. The copy is
// readable and writable by its owner only (0600), from its first byte on. Raises
// EDatabaseError (the connection not open, the target not writable, the disk full).
// A `scratch` copy, which only lives while its caller reads it (the backup packs it into a
// cabinet and deletes it), is not forced to the disk: that saves writing the whole file twice.
void CopyOpenDatabase(TConnection& connection, const QString& target, bool scratch = false);
