#include "platform/report/renderhtml.h"

#include <QCoreApplication>

#include <algorithm>

#include "platform/vcl/jpeg.h"

namespace {

QString Mm(double v)
{
    return QString::number(v, 'f', 2) + QLatin1String("mm");
}

QString Num(double v)
{
    return QString::number(v, 'f', 2);
}

QString Css(TColor c)
{
    return ToQColor(c).name();
}

QString DashArray(Qt::PenStyle style, double width)
{
    const double w = std::max(width, 0.1);
    switch (style) {
    case Qt::DashLine:
        return QStringLiteral(" stroke-dasharray=\"%1 %2\"").arg(Num(4 * w), Num(2 * w));
    case Qt::DotLine:
        return QStringLiteral(" stroke-dasharray=\"%1 %1\"").arg(Num(w));
    case Qt::DashDotLine:
        return QStringLiteral(" stroke-dasharray=\"%1 %2 %3 %2\"").arg(Num(4 * w), Num(2 * w), Num(w));
    case Qt::DashDotDotLine:
        return QStringLiteral(" stroke-dasharray=\"%1 %2 %3 %2 %3 %2\"").arg(Num(4 * w), Num(2 * w), Num(w));
    default:
        return QString();
    }
}

QString Stroke(const TPageItem& it)
{
    if (it.penStyle == Qt::NoPen)
        return QStringLiteral(" stroke=\"none\"");
    return QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"%3")
        .arg(Css(it.penColor), Num(it.penWidth), DashArray(it.penStyle, it.penWidth));
}

QString FontCss(const QFont& f)
{
    QString s = QStringLiteral("font-family:'%1';font-size:%2pt;")
                    .arg(f.family().toHtmlEscaped(), QString::number(f.pointSizeF() > 0 ? f.pointSizeF() : 10.0));
    if (f.bold())
        s += QLatin1String("font-weight:bold;");
    if (f.italic())
        s += QLatin1String("font-style:italic;");
    if (f.underline() || f.strikeOut())
        s += QStringLiteral("text-decoration:%1;")
                 .arg(f.underline() && f.strikeOut() ? QStringLiteral("underline line-through")
                      : f.underline()               ? QStringLiteral("underline")
                                                    : QStringLiteral("line-through"));
    return s;
}

QString TextAlign(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return QStringLiteral("right");
    if (a & Qt::AlignHCenter)
        return QStringLiteral("center");
    return QStringLiteral("left");
}

}  // namespace

TRenderHTML::TRenderHTML()
    : TReportRenderer(QCoreApplication::translate("TRenderHTML", "Web Page (HTML)"), QStringLiteral("*.html;*.htm"))
{
}

QString TRenderHTML::Html(const TPreparedReport& report) const
{
    const QSizeF paper = report.paperSize();
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n")
             .arg(report.title.toHtmlEscaped());
    h += QLatin1String(
        "<style>\n"
        "body{background:#808080;margin:0;padding:8px}\n"
        ".page{position:relative;background:#ffffff;margin:0 auto 8px auto;overflow:hidden;"
        "page-break-after:always}\n"
        ".page svg{position:absolute;left:0;top:0}\n"
        ".page img{position:absolute}\n"
        ".page div{position:absolute;white-space:pre;line-height:1.15}\n"
        "</style>\n</head>\n<body>\n");
    for (const TReportPage& page : report.pages) {
        h += QStringLiteral("<div class=\"page\" style=\"width:%1;height:%2\">\n")
                 .arg(Mm(paper.width()), Mm(paper.height()));
        // Lines and rectangles first: band colours and frames lie under the texts.
        QString svg;
        for (const TPageItem& it : page.items) {
            switch (it.kind) {
            case TPageItem::Line:
                svg += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"%5/>\n")
                           .arg(Num(it.rect.left()), Num(it.rect.top()), Num(it.rect.right()), Num(it.rect.bottom()),
                                Stroke(it));
                break;
            case TPageItem::Rect:
                svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"%6/>\n")
                           .arg(Num(it.rect.left()), Num(it.rect.top()), Num(it.rect.width()), Num(it.rect.height()),
                                it.filled ? Css(it.brushColor) : QStringLiteral("none"), Stroke(it));
                break;
            case TPageItem::Ellipse:
                svg += QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" fill=\"%5\"%6/>\n")
                           .arg(Num(it.rect.center().x()), Num(it.rect.center().y()), Num(it.rect.width() / 2),
                                Num(it.rect.height() / 2), it.filled ? Css(it.brushColor) : QStringLiteral("none"),
                                Stroke(it));
                break;
            default:
                break;
            }
        }
        if (!svg.isEmpty())
            h += QStringLiteral("<svg width=\"%1\" height=\"%2\" viewBox=\"0 0 %3 %4\">\n%5</svg>\n")
                     .arg(Mm(paper.width()), Mm(paper.height()), Num(paper.width()), Num(paper.height()), svg);
        for (const TPageItem& it : page.items) {
            if (it.kind == TPageItem::Image && !it.image.isNull()) {
                const QByteArray jpeg = ImageToJpeg(it.image, jpegQuality_);
                h += QStringLiteral("<img src=\"data:image/jpeg;base64,%1\" style=\"left:%2;top:%3;width:%4;height:%5\" "
                                    "alt=\"\">\n")
                         .arg(QString::fromLatin1(jpeg.toBase64()), Mm(it.rect.left()), Mm(it.rect.top()),
                              Mm(it.rect.width()), Mm(it.rect.height()));
            } else if (it.kind == TPageItem::Text && !it.text.isEmpty()) {
                // No height: a browser's font may be taller than ours, and a line must not be cut.
                h += QStringLiteral("<div style=\"left:%1;top:%2;width:%3;%4color:%5;text-align:%6%7\">%8</div>\n")
                         .arg(Mm(it.rect.left()), Mm(it.rect.top()), Mm(it.rect.width()),
                              FontCss(it.font), Css(it.fontColor), TextAlign(it.alignment),
                              QString::fromLatin1(it.wordWrap ? ";white-space:normal" : "") +
                                  QString::fromLatin1(it.clip ? ";overflow:hidden" : ""),
                              it.text.toHtmlEscaped());
            }
        }
        h += QLatin1String("</div>\n");
    }
    h += QLatin1String("</body>\n</html>\n");
    return h;
}

void TRenderHTML::write(const TPreparedReport& report, QIODevice& out)
{
    const QByteArray bytes = Html(report).toUtf8();
    if (out.write(bytes) != bytes.size())
        throw Exception(out.errorString());
}
