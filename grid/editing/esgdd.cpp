#include "grid/editing/esgdd.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

const char* const kGridColumnMimeType = "application/x-extstringgrid-column";
const char* const kRichTextMimeType = "text/rtf";

namespace {

bool richTextDrag = false;

TGridDragLoop& dragLoop()
{
    static TGridDragLoop loop;
    return loop;
}

}  // namespace

bool RichTextDrag()
{
    return richTextDrag;
}

void SetRichTextDrag(bool On)
{
    richTextDrag = On;
}

TDragFormats DragFormatsOf(const QMimeData* Data)
{
    TDragFormats f;
    if (!Data)
        return f;
    f.Files = !DraggedFiles(Data).isEmpty();
    // A file manager offers the files' names as text too: such a drag is one of files.
    f.Text = Data->hasText() && !Data->hasUrls();
    f.RichText = Data->hasFormat(QLatin1StringView(kRichTextMimeType));
    f.Column = DraggedColumn(Data) >= 0;
    return f;
}

QString DraggedText(const QMimeData* Data)
{
    return Data ? Data->text() : QString();
}

QString DraggedRichText(const QMimeData* Data)
{
    return Data ? QString::fromLatin1(Data->data(QLatin1StringView(kRichTextMimeType))) : QString();
}

int DraggedColumn(const QMimeData* Data)
{
    if (!Data || !Data->hasFormat(QLatin1StringView(kGridColumnMimeType)))
        return -1;
    // "<process id>:<column>"
    const QList<QByteArray> parts = Data->data(QLatin1StringView(kGridColumnMimeType)).split(':');
    if (parts.size() != 2)
        return -1;
    bool ok = false;
    const qint64 pid = parts[0].toLongLong(&ok);
    if (!ok || pid != QCoreApplication::applicationPid())
        return -1;
    const int column = parts[1].toInt(&ok);
    return ok && column >= 0 ? column : -1;
}

QStringList DraggedFiles(const QMimeData* Data)
{
    QStringList files;
    if (!Data || !Data->hasUrls())
        return files;
    for (const QUrl& url : Data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

QMimeData* TextDragData(const QString& Text, const QString& RichText)
{
    auto* data = new QMimeData;
    if (!Text.isEmpty()) {
        data->setText(Text);
        if (richTextDrag && !RichText.isEmpty())
            data->setData(QLatin1StringView(kRichTextMimeType), RichText.toLatin1());
    }
    return data;
}

QMimeData* ColumnDragData(int Column)
{
    auto* data = new QMimeData;
    if (Column >= 0)
        data->setData(QLatin1StringView(kGridColumnMimeType),
                      QByteArray::number(QCoreApplication::applicationPid()) + ':' + QByteArray::number(Column));
    return data;
}

void SetGridDragLoop(TGridDragLoop Loop)
{
    dragLoop() = std::move(Loop);
}

Qt::DropAction RunGridDrag(QWidget* Source, QMimeData* Data, Qt::DropActions Allowed)
{
    if (dragLoop()) {
        const Qt::DropAction result = dragLoop()(Source, Data, Allowed);
        delete Data;
        return result;
    }
    QDrag drag(Source);
    drag.setMimeData(Data);
    return drag.exec(Allowed, Qt::MoveAction);
}

Qt::DropAction StartTextDrag(QWidget* Source, const QString& Text, const QString& RichText, Qt::DropActions Allowed)
{
    return RunGridDrag(Source, TextDragData(Text, RichText), Allowed);
}

Qt::DropAction StartColumnDrag(QWidget* Source, int Column, Qt::DropActions Allowed)
{
    return RunGridDrag(Source, ColumnDragData(Column), Allowed);
}

Qt::DropAction DropEffect(Qt::KeyboardModifiers Modifiers, Qt::DropActions Possible)
{
    if (Modifiers & Qt::ControlModifier)
        return Qt::CopyAction;
    return (Possible & Qt::MoveAction) ? Qt::MoveAction : Qt::CopyAction;
}
