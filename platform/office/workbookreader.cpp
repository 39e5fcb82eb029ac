#include "platform/office/workbookreader.h"

#include <QFile>
#include <QFileInfo>

#include "platform/office/officemessages.h"
#include "platform/office/xlsreader.h"
#include "platform/office/xlsxreader.h"

OfficeResult<SheetBook> ReadWorkbook(const QString& fileName)
{
    using namespace OfficeMessages;
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir())
        return OfficeError{FileNotFound(fileName), {}};
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return OfficeError{FileUnreadable(fileName, f.errorString()), {}};
    const QByteArray head = f.read(8);
    f.close();
    if (head.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")))
        return XlsReader::Read(fileName);
    if (head.startsWith("PK\x03\x04"))
        return XlsxReader::Read(fileName);
    return OfficeError{NotAWorkbook(fileName), {}};
}
