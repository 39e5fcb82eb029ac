#include "traininglog/routepicture.h"

#include <QCoreApplication>
#include <QFile>

#include "platform/vcl/dbctrls.h"

TPictureFileCheck CheckPictureFile(const QString& fileName)
{
    TPictureFileCheck check;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        check.Error = QCoreApplication::translate("RoutePicture", "Die Datei %1 kann nicht geöffnet werden.").arg(fileName);
        return check;
    }
    check.Large = file.size() >= kLargePictureBytes;
    check.Bytes = file.readAll();
    if (BlobToImage(check.Bytes).isNull()) {
        check.Bytes.clear();
        check.Error = QCoreApplication::translate("RoutePicture",
                                                  "Die Datei %1 enthält kein Bild im Format BMP, JPEG oder PNG.")
                          .arg(fileName);
    }
    return check;
}
