#pragma once
// The blob file (".MB") beside a Paradox table: memo texts, pictures and other binary values
// that do not fit into the table's records.
//
// A blob field in a record holds a leader (the value's first bytes) and ten bytes that say
// where the value lies: the offset of its block in the blob file (the low byte choosing an
// entry of a block shared by several small values, 0xFF for a block of its own), its length
// and its modification number. A value short enough for the leader lies in the record only.
// The file is made of 4 KB blocks; those of a password-protected table are encrypted.
#include <QByteArray>
#include <QString>

#include <cstdint>

class ParadoxBlobFile {
public:
    // Reads the whole file; false with the reason when it cannot be read or is no blob file.
    bool Open(const QString& fileName, uint32_t encryption, QString& reason);
    bool IsOpen() const { return open_; }

    // The value of a blob field: its bytes from the record or from the blob file. A picture's
    // bytes come without the header the table keeps in front of them. False with the reason
    // when the field points at something the file does not hold.
    bool Value(const unsigned char* field, int size, bool graphic, QByteArray& value, bool& isNull,
               QString& reason) const;

private:
    // The 4 KB block at the offset, decrypted when the table is protected and the block is
    // not stored plain (as some writers leave it).
    QByteArray block(int64_t offset, int chunks, bool decrypt) const;

    bool open_ = false;
    QByteArray bytes_;
    uint32_t encryption_ = 0;
};
