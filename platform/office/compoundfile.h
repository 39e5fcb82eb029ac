#pragma once
// Reads a stream out of a compound file, the container of Excel 97-2003 workbooks: a header,
// sector allocation tables, a directory of named streams, and a mini stream for the small
// ones. Every sector number and chain is checked, so a damaged file ends in "false", never in
// a read outside the file or an endless chain.
#include <QByteArray>
#include <QString>
#include <QVector>

class CompoundFile {
public:
    // The bytes of the whole file; false when they are no sound compound file.
    bool Open(const QByteArray& file);
    // The stream of that name (compared without case) in the root storage; false when there
    // is none or its chain is damaged.
    bool ReadStream(const QString& name, QByteArray& stream) const;

private:
    bool readChain(quint32 start, quint64 size, QByteArray& out) const;
    bool readMiniChain(quint32 start, quint64 size, QByteArray& out) const;

    QByteArray file_;
    quint32 sectorSize_ = 512;
    quint32 miniSectorSize_ = 64;
    quint32 miniCutoff_ = 4096;
    QVector<quint32> fat_;
    QVector<quint32> miniFat_;
    QByteArray directory_;
    QByteArray miniStream_;
};
