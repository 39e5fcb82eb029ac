#include "platform/office/paradox/paradoxtable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "platform/office/paradox/paradoxblobfile.h"
#include "platform/office/paradox/pxlibcrypt.h"
#include "platform/rtl/sysutils.h"

extern "C" {
#include <paradox.h>
}

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ParadoxTable", text);
}

uint32_t le32(const QByteArray& b, int at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t le16(const QByteArray& b, int at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + at;
    return uint16_t(p[0] | p[1] << 8);
}

// Days from 1 January of the year 1 (day 1) to the date-time's day 0, 30 December 1899.
constexpr double kDateDelta = 693594;

bool typeOf(char code, ParadoxFieldType& type)
{
    using T = ParadoxFieldType;
    switch (code) {
    case pxfAlpha: type = T::Alpha; return true;
    case pxfDate: type = T::Date; return true;
    case pxfShort: type = T::Short; return true;
    case pxfLong: type = T::Long; return true;
    case pxfCurrency: type = T::Currency; return true;
    case pxfNumber: type = T::Number; return true;
    case pxfLogical: type = T::Logical; return true;
    case pxfMemoBLOb: type = T::Memo; return true;
    case pxfBLOb: type = T::Blob; return true;
    case pxfFmtMemoBLOb: type = T::FormattedMemo; return true;
    case pxfOLE: type = T::Ole; return true;
    case pxfGraphic: type = T::Graphic; return true;
    case pxfTime: type = T::Time; return true;
    case pxfTimestamp: type = T::Timestamp; return true;
    case pxfAutoInc: type = T::AutoInc; return true;
    case pxfBCD: type = T::Bcd; return true;
    case pxfBytes: type = T::Bytes; return true;
    default: return false;
    }
}

// Fixed fields have the size of their type (pxlib copies that many bytes into a number); text
// and byte fields hold up to 255 bytes, blob fields their ten-byte pointer behind a leader.
bool sizeFits(ParadoxFieldType t, int size)
{
    using T = ParadoxFieldType;
    switch (t) {
    case T::Logical: return size == 1;
    case T::Short: return size == 2;
    case T::Date: case T::Long: case T::Time: case T::AutoInc: return size == 4;
    case T::Currency: case T::Number: case T::Timestamp: return size == 8;
    case T::Bcd: return size == 17;
    case T::Alpha: case T::Bytes: return size >= 1 && size <= 255;
    case T::Memo: case T::Blob: case T::FormattedMemo: case T::Ole: case T::Graphic: return size >= 10 && size <= 255;
    }
    return false;
}

bool isBlob(ParadoxFieldType t)
{
    using T = ParadoxFieldType;
    return t == T::Memo || t == T::Blob || t == T::FormattedMemo || t == T::Ole || t == T::Graphic;
}

void noteError(pxdoc_t*, int, const char* message, void* data)
{
    *static_cast<QString*>(data) = QString::fromUtf8(message).trimmed();
}

}  // namespace

struct ParadoxTable::Px {
    pxdoc_t* doc = nullptr;
    FILE* file = nullptr;
    QString lastMessage;  // pxlib reports through a callback; its last words explain a failure
    ParadoxBlobFile blobs;
    QStringDecoder decoder;

    ~Px()
    {
        if (doc) {
            PX_close(doc);
            PX_delete(doc);
        }
        if (file)
            std::fclose(file);
    }
};

QString ParadoxError::Text() const
{
    return tr("Die Datei \"%1\" kann nicht gelesen werden: %2").arg(QDir::toNativeSeparators(file), reason);
}

ParadoxTable::ParadoxTable() = default;
ParadoxTable::~ParadoxTable() = default;

QString ParadoxTable::FindFile(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (dir.exists(name))
        return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

bool ParadoxTable::IsOpen() const
{
    return px_ != nullptr;
}

void ParadoxTable::Close()
{
    px_.reset();
    fileName_.clear();
    fields_.clear();
    offsets_.clear();
    recordSize_ = recordCount_ = fileVersion_ = codePage_ = 0;
    headerSize_ = blockSize_ = fileBlocks_ = firstBlock_ = 0;
    encryption_ = 0;
}

bool ParadoxTable::fail(const QString& file, const QString& reason)
{
    Close();
    error_ = {file, reason};
    return false;
}

int ParadoxTable::FieldIndex(const QString& name) const
{
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool ParadoxTable::checkFile(const QByteArray& head, int64_t size)
{
    if (head.size() < 0x58)
        return false;
    recordSize_ = le16(head, 0x00);
    headerSize_ = le16(head, 0x02);
    const int fileType = static_cast<unsigned char>(head[0x04]);
    const int maxTableSize = static_cast<unsigned char>(head[0x05]);
    recordCount_ = int(le32(head, 0x06));
    fileBlocks_ = le16(head, 0x0C);
    firstBlock_ = le16(head, 0x0E);
    const int fieldCount = le16(head, 0x21);
    const int version = static_cast<unsigned char>(head[0x39]);
    // Tables with and without a primary key; the index files (.PX, .Xnn) are no tables.
    if ((fileType != 0 && fileType != 2) || recordSize_ < 1 || fieldCount < 1 || fieldCount > 255 ||
        headerSize_ < 0x58 || headerSize_ > size || le32(head, 0x06) > 0x7FFFFFFF)
        return false;
    if (maxTableSize != 1 && maxTableSize != 2 && maxTableSize != 3 && maxTableSize != 4 && maxTableSize != 8 &&
        maxTableSize != 16 && maxTableSize != 32)
        return false;
    blockSize_ = maxTableSize * 1024;
    // The file levels of Paradox 3.0 to 7: the header's version byte.
    static const int levels[] = {0, 0, 0, 30, 35, 40, 40, 40, 40, 40, 50, 50, 70};
    if (version < 3 || version > 12) {
        error_.reason = tr("Die Dateiversion %1 wird nicht unterstützt.").arg(version);
        return false;
    }
    fileVersion_ = levels[version];
    // The key lies at 0x25; from level 4 on that place may only mark the table as protected
    // (0xFF00FF00) and the key lie at 0x5C, as pxlib reads it. The texts' code page is at 0x6A.
    const bool extended = version >= 5 && headerSize_ >= 0x78 && head.size() >= 0x78;
    encryption_ = le32(head, 0x25);
    if (extended && encryption_ == 0xFF00FF00u)
        encryption_ = le32(head, 0x5C);
    codePage_ = extended ? le16(head, 0x6A) : 0;
    if (size < int64_t(headerSize_) + int64_t(fileBlocks_) * blockSize_) {
        error_.reason = tr("Die Datei ist kürzer, als ihr Kopf angibt.");
        return false;
    }
    // The fields' types and sizes follow the header; pxlib counts the records with the length
    // they add up to, so they must agree with the record length the header states.
    const int at = extended ? 0x78 : 0x58;
    if (head.size() < at + 2 * fieldCount)
        return false;
    int length = 0;
    for (int i = 0; i < fieldCount; ++i) {
        ParadoxFieldType type;
        const int fieldSize = static_cast<unsigned char>(head[at + 2 * i + 1]);
        if (!typeOf(head[at + 2 * i], type) || !sizeFits(type, fieldSize))
            return false;
        length += fieldSize;
    }
    return length == recordSize_;
}

bool ParadoxTable::checkBlocks(const QString& fileName)
{
    // The records lie in a chain of data blocks; pxlib follows it without limits, so a chain
    // that leaves the file, runs in a circle or holds more records than a block can take is
    // refused here.
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        error_.reason = f.errorString();
        return false;
    }
    QSet<int> seen;
    int64_t records = 0;
    for (int b = firstBlock_; b != 0;) {
        if (b < 1 || b > fileBlocks_ || seen.contains(b) || !f.seek(headerSize_ + int64_t(b - 1) * blockSize_)) {
            error_.reason = tr("Der Datenblock %1 ist beschädigt.").arg(b);
            return false;
        }
        seen.insert(b);
        QByteArray block = f.read(blockSize_);
        if (block.size() != blockSize_) {
            error_.reason = tr("Der Datenblock %1 ist beschädigt.").arg(b);
            return false;
        }
        if (encryption_ != 0) {
            QByteArray plain(blockSize_, '\0');
            px_decrypt_db_block(reinterpret_cast<unsigned char*>(block.data()),
                                reinterpret_cast<unsigned char*>(plain.data()), encryption_, blockSize_, b);
            block = plain;
        }
        const int next = le16(block, 0);
        const int lastOffset = int16_t(le16(block, 4));  // of the block's last record; −size when empty
        const int count = lastOffset / recordSize_ + 1;
        if (lastOffset < -recordSize_ || lastOffset % recordSize_ != 0 || 6 + int64_t(count) * recordSize_ > blockSize_) {
            error_.reason = tr("Der Datenblock %1 ist beschädigt.").arg(b);
            return false;
        }
        records += count;
        b = next;
    }
    if (records != recordCount_) {
        error_.reason = tr("Die Zahl der Datensätze passt nicht zu den Datenblöcken.");
        return false;
    }
    return true;
}

bool ParadoxTable::Open(const QString& fileName)
{
    Close();
    error_ = {};
    const QFileInfo info(fileName);
    const QString path = FindFile(info.absolutePath(), info.fileName());
    if (path.isEmpty())
        return fail(fileName, tr("Die Datei wurde nicht gefunden."));
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return fail(path, f.errorString());
        const QByteArray head = f.read(0x10000);  // the header with the field list; never above 64 KB
        if (!checkFile(head, f.size()))
            return fail(path, error_.reason.isEmpty() ? tr("Die Datei ist keine Paradox-Tabelle.") : error_.reason);
    }
    if (!checkBlocks(path))
        return fail(path, error_.reason);

    static std::once_flag booted;
    std::call_once(booted, [] { PX_boot(); });
    px_ = std::make_unique<Px>();
    px_->file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!px_->file)
        return fail(path, tr("Die Datei kann nicht geöffnet werden."));
    px_->doc = PX_new3(noteError, nullptr, nullptr, nullptr, &px_->lastMessage);
    if (!px_->doc || PX_open_fp(px_->doc, px_->file) < 0)
        return fail(path, tr("pxlib meldet: %1").arg(px_->lastMessage));
    const pxhead_t* head = px_->doc->px_head;
    if (head->px_numrecords != recordCount_ || head->px_recordsize != recordSize_ ||
        uint32_t(head->px_encryption) != encryption_)
        return fail(path, tr("Die Datei ist keine Paradox-Tabelle."));
    fileName_ = path;

    const int count = PX_get_num_fields(px_->doc);
    const int codePage = codePage_ > 0 ? codePage_ : 1252;  // ANSI, the Windows tables' default
    px_->decoder = QStringDecoder(codePage == 1252 ? "windows-1252" : QByteArray("cp" + QByteArray::number(codePage)).constData(),
                                  QStringDecoder::Flag::Stateless);
    if (!px_->decoder.isValid())
        return fail(path, tr("Die Codepage %1 wird nicht unterstützt.").arg(codePage));
    int offset = 0;
    bool blobs = false;
    for (int i = 0; i < count; ++i) {
        const pxfield_t* f = PX_get_field(px_->doc, i);
        ParadoxField field;
        field.name = QString(px_->decoder.decode(QByteArray(f->px_fname)));
        field.size = f->px_flen;
        if (!typeOf(f->px_ftype, field.type) || !sizeFits(field.type, field.size))
            return fail(path, tr("Das Feld \"%1\" hat eine unbekannte Art (%2).").arg(field.name, QString::number(int(f->px_ftype))));
        blobs = blobs || isBlob(field.type);
        fields_.append(field);
        offsets_.append(offset);
        offset += field.size;
    }
    if (offset != recordSize_)
        return fail(path, tr("Die Felder passen nicht zur Länge der Datensätze."));
    if (blobs) {
        const QString mbName = QFileInfo(path).completeBaseName() + QStringLiteral(".MB");
        const QString mb = FindFile(info.absolutePath(), mbName);
        if (mb.isEmpty())
            return fail(QDir(info.absolutePath()).filePath(mbName), tr("Die Blob-Datei der Tabelle fehlt."));
        QString reason;
        if (!px_->blobs.Open(mb, encryption_, reason))
            return fail(mb, reason);
    }
    return true;
}

bool ParadoxTable::ReadRecord(int index, QVariantList& values)
{
    values.clear();
    if (!px_)
        return false;
    if (index < 0 || index >= recordCount_) {
        error_ = {fileName_, tr("Der Datensatz %1 existiert nicht.").arg(index + 1)};
        return false;
    }
    QByteArray record(recordSize_, '\0');
    int deleted = 0;
    pxdatablockinfo_t block;
    if (!PX_get_record2(px_->doc, index, record.data(), &deleted, &block)) {
        error_ = {fileName_, tr("Der Datensatz %1 kann nicht gelesen werden: %2").arg(index + 1).arg(px_->lastMessage)};
        return false;
    }
    using T = ParadoxFieldType;
    pxdoc_t* doc = px_->doc;
    for (int i = 0; i < fields_.size(); ++i) {
        const ParadoxField& field = fields_[i];
        char* data = record.data() + offsets_[i];
        QVariant value;
        long l = 0;
        short s = 0;
        double d = 0;
        char c = 0;
        // An empty field is all zero bytes. pxlib misses that for whole numbers, dates and times
        // (it returns the smallest number instead), so it is decided here for every fixed field.
        if (!isBlob(field.type) && field.type != T::Alpha && field.type != T::Bytes &&
            std::all_of(data, data + field.size, [](char b) { return b == 0; })) {
            values.append(QVariant());
            continue;
        }
        switch (field.type) {
        case T::Alpha: {
            const int n = int(qstrnlen(data, field.size));
            if (n > 0)
                value = QString(px_->decoder.decode(QByteArrayView(data, n)));
            break;
        }
        case T::Short:
            if (PX_get_data_short(doc, data, field.size, &s) > 0)
                value = int(s);
            break;
        case T::Long:
        case T::AutoInc:
            if (PX_get_data_long(doc, data, field.size, &l) > 0)
                value = int(l);
            break;
        case T::Date:
            if (PX_get_data_long(doc, data, field.size, &l) > 0)
                value = double(l) - kDateDelta;
            break;
        case T::Time:
            // Milliseconds of the day, kept whole so that equal times compare equal.
            if (PX_get_data_long(doc, data, field.size, &l) > 0)
                value = double(l) / MSecsPerDay;
            break;
        case T::Timestamp:
            if (PX_get_data_double(doc, data, field.size, &d) > 0)
                value = d / MSecsPerDay - kDateDelta;
            break;
        case T::Number:
        case T::Currency:
            if (PX_get_data_double(doc, data, field.size, &d) > 0)
                value = d;
            break;
        case T::Logical:
            if (PX_get_data_byte(doc, data, field.size, &c) > 0)
                value = c != 0;
            break;
        case T::Bcd: {
            char* text = nullptr;
            if (PX_get_data_bcd(doc, reinterpret_cast<unsigned char*>(data), field.size, &text) > 0 && text) {
                bool ok = false;
                const double v = QByteArray(text).replace(',', '.').toDouble(&ok);
                if (ok)
                    value = v;
            }
            if (text)
                doc->free(doc, text);
            break;
        }
        case T::Bytes:
            value = QByteArray(data, field.size);
            break;
        case T::Memo:
        case T::FormattedMemo:
        case T::Blob:
        case T::Ole:
        case T::Graphic: {
            QByteArray bytes;
            bool isNull = false;
            QString reason;
            if (!px_->blobs.Value(reinterpret_cast<const unsigned char*>(data), field.size, field.type == T::Graphic,
                                  bytes, isNull, reason)) {
                error_ = {fileName_, tr("Feld \"%1\" des Datensatzes %2: %3").arg(field.name, QString::number(index + 1), reason)};
                values.clear();
                return false;
            }
            if (isNull)
                break;
            if (field.type == T::Memo || field.type == T::FormattedMemo) {
                while (bytes.endsWith('\0'))
                    bytes.chop(1);
                value = QString(px_->decoder.decode(bytes));
            } else {
                value = bytes;
            }
            break;
        }
        }
        values.append(value);
    }
    return true;
}

bool ParadoxTable::ReadAll(QList<QVariantList>& records)
{
    records.clear();
    records.reserve(recordCount_);
    QVariantList values;
    for (int i = 0; i < recordCount_; ++i) {
        if (!ReadRecord(i, values)) {
            records.clear();
            return false;
        }
        records.append(values);
    }
    return true;
}
