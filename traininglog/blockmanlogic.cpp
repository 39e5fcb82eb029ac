#include "traininglog/blockmanlogic.h"

#include "core/language.h"
#include "core/messageids.h"
#include "platform/db/dataset.h"
#include "platform/vcl/dbctrls.h"

namespace {

// Walks a lookup dataset from its first row and returns it to the row it stood on.
template <class F>
void walk(TDataSet& ds, F&& each)
{
    if (!ds.Active())
        return;
    const TBookmark mark = ds.GetBookmark();
    ds.DisableControls();
    try {
        for (ds.First(); !ds.Eof(); ds.Next())
            each();
        if (!mark.IsNull() && ds.BookmarkValid(mark))
            ds.GotoBookmark(mark);
    } catch (...) {
        ds.EnableControls();
        throw;
    }
    ds.EnableControls();
}

}  // namespace

QImage BlockFilterPicture(const QByteArray& blob)
{
    if (blob.isEmpty())
        return {};
    QImage img = BlobToImage(blob);
    if (img.isNull())
        return {};
    img = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFFu) == 0xFFFFFFu)
                line[x] = 0;
    }
    return img;
}

QList<TBlockFilterEntry> BlockFilterEntries(TDataSet& sportart, TDataSet& form)
{
    QList<TBlockFilterEntry> entries;
    auto heading = [&entries](int id) { entries.append({LoadStr(id), QImage(), -1, 0}); };
    heading(msg::AllNode);
    heading(msg::SportsHeading);
    walk(sportart, [&] {
        entries.append({sportart.FieldByName(QStringLiteral("Spo_Name"))->AsString(),
                        BlockFilterPicture(sportart.FieldByName(QStringLiteral("Spo_Image"))->AsBytes()),
                        sportart.FieldByName(QStringLiteral("Spo_Id"))->AsInteger(), 2});
    });
    heading(msg::FormsHeading);
    walk(form, [&] {
        entries.append({form.FieldByName(QStringLiteral("For_Form"))->AsString(),
                        BlockFilterPicture(form.FieldByName(QStringLiteral("For_Image"))->AsBytes()),
                        -form.FieldByName(QStringLiteral("For_Id"))->AsInteger() - 1, 1});
    });
    return entries;
}

QString BlockFilterText(int key)
{
    if (key < 0)
        return QStringLiteral("[trb_Form] = ") + QString::number(-(key + 1));
    return QStringLiteral("[trb_Sportart] = ") + QString::number(key);
}

int AddUnitsToBlock(TDataSet& daten, const QStringList& ids, int blockId)
{
    int filed = 0;
    for (const QString& id : ids) {
        bool number = false;
        const int datId = id.toInt(&number);
        if (!number || !daten.Locate(QStringLiteral("dat_id"), datId))
            continue;
        daten.Edit();
        daten.FieldByName(QStringLiteral("trainingsblock"))->SetAsInteger(blockId);
        daten.Post();
        ++filed;
    }
    return filed;
}
