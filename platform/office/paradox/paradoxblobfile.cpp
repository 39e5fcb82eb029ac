#include "platform/office/paradox/paradoxblobfile.h"

#include <QCoreApplication>
#include <QFile>

#include "platform/office/paradox/pxlibcrypt.h"

namespace {

constexpr int kChunk = 4096;

QString tr(const char* text)
{
    return QCoreApplication::translate("ParadoxTable", text);
}

uint32_t le32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t le16(const unsigned char* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

bool isPicture(const QByteArray& b)
{
    return b.startsWith("BM") || b.startsWith("\xFF\xD8") || b.startsWith("GIF8") || b.startsWith("\x89PNG");
}

}  // namespace

bool ParadoxBlobFile::Open(const QString& fileName, uint32_t encryption, QString& reason)
{
    open_ = false;
    bytes_.clear();
    encryption_ = encryption;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        reason = f.errorString();
        return false;
    }
    bytes_ = f.readAll();
    if (bytes_.isEmpty() || bytes_.size() % kChunk != 0) {
        reason = tr("Die Blob-Datei ist unvollständig.");
        bytes_.clear();
        return false;
    }
    open_ = true;
    return true;
}

QByteArray ParadoxBlobFile::block(int64_t offset, int chunks, bool decrypt) const
{
    QByteArray b = bytes_.mid(offset, int64_t(chunks) * kChunk);
    if (decrypt) {
        // Each 4 KB block is encrypted on its own, as the library's reader decrypts it.
        for (int c = 0; c < chunks; ++c) {
            auto* p = reinterpret_cast<unsigned char*>(b.data()) + c * kChunk;
            unsigned char plain[kChunk];
            px_decrypt_mb_block(p, plain, encryption_, kChunk);
            std::copy(plain, plain + kChunk, p);
        }
    }
    return b;
}

bool ParadoxBlobFile::Value(const unsigned char* field, int size, bool graphic, QByteArray& value, bool& isNull,
                            QString& reason) const
{
    value.clear();
    isNull = false;
    const int leader = size - 10;
    if (leader < 0) {
        reason = tr("Ein Blob-Feld ist kürzer als zehn Bytes.");
        return false;
    }
    const unsigned char* pointer = field + leader;
    const uint32_t offset = le32(pointer);
    const uint32_t length = le32(pointer + 4);
    const uint16_t modification = le16(pointer + 8);
    if (length == 0) {
        isNull = true;
        return true;
    }
    if (offset == 0) {
        // A value short enough for the leader lies in the record only.
        if (length > uint32_t(leader)) {
            reason = tr("Ein Blob-Feld gibt eine Länge an, die der Datensatz nicht enthält.");
            return false;
        }
        value = QByteArray(reinterpret_cast<const char*>(field), length);
    } else {
        if (!open_) {
            reason = tr("Die Tabelle hat keine Blob-Datei.");
            return false;
        }
        const int64_t start = offset & 0xFFFFFF00u;
        const int entry = offset & 0xFF;
        bool found = false;
        // A protected table's blocks are encrypted; a block stored plain is read as it is.
        for (bool decrypt : {encryption_ != 0, false}) {
            if (found || start + kChunk > bytes_.size())
                break;
            const QByteArray first = block(start, 1, decrypt);
            const auto* b = reinterpret_cast<const unsigned char*>(first.constData());
            if (entry == 0xFF) {
                // A block of its own: type 2, its size in 4 KB chunks, length, modification number.
                const int chunks = le16(b + 1);
                if (b[0] != 2 || le16(b + 7) != modification || chunks < 1 ||
                    start + int64_t(chunks) * kChunk > bytes_.size() || 9 + int64_t(length) > int64_t(chunks) * kChunk)
                    continue;
                value = block(start, chunks, decrypt).mid(9, length);
                found = true;
            } else if (entry < 64) {
                // A block shared by up to 64 small values: type 3, then five bytes per value, the
                // first its place in 16-byte steps from the block's start.
                const unsigned char* e = b + 12 + entry * 5;
                const int place = e[0] * 16;
                if (b[0] != 3 || le16(e + 2) != modification || place < 12 + 64 * 5 || place + int64_t(length) > kChunk)
                    continue;
                value = first.mid(place, length);
                found = true;
            }
        }
        if (!found) {
            reason = tr("Die Blob-Datei ist beschädigt: der Block bei %1 passt nicht zum Datensatz.").arg(start);
            return false;
        }
    }
    // The table keeps a few bytes of its own in front of a picture; the picture starts after them.
    if (graphic && value.size() > 8 && !isPicture(value) && isPicture(value.mid(8)))
        value.remove(0, 8);
    return true;
}
