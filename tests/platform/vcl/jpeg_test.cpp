// JPEG through libjpeg: a generated picture survives the round trip, broken data raises EJPEG.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include "platform/vcl/jpeg.h"
#include "tests/support/messages.h"

namespace {

QImage testPicture()
{
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(0, 0, 32, 48, QColor(200, 30, 30));
    p.fillRect(32, 24, 32, 24, QColor(20, 40, 180));
    return img;
}

int maxChannelDifference(const QImage& a, const QImage& b, int x, int y)
{
    const QColor ca = a.pixelColor(x, y), cb = b.pixelColor(x, y);
    return std::max({std::abs(ca.red() - cb.red()), std::abs(ca.green() - cb.green()), std::abs(ca.blue() - cb.blue())});
}

TEST(JpegTest, RoundTripKeepsSizeAndColours)
{
    const QImage original = testPicture();
    const QByteArray bytes = ImageToJpeg(original, 90);
    ASSERT_TRUE(IsJpeg(bytes));
    const QImage decoded = JpegToImage(bytes);
    ASSERT_EQ(decoded.size(), original.size());
    // Away from the edges of the blocks the colours come back closely.
    for (const QPoint& pt : {QPoint(8, 8), QPoint(48, 8), QPoint(48, 40), QPoint(16, 40)})
        EXPECT_LE(maxChannelDifference(original, decoded, pt.x(), pt.y()), 12) << pt.x() << "," << pt.y();
}

TEST(JpegTest, QualityChangesTheSizeAndIsClamped)
{
    QImage noisy(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noisy.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x * 5 + y * 91) % 256));
    EXPECT_LT(ImageToJpeg(noisy, 10).size(), ImageToJpeg(noisy, 95).size());
    EXPECT_EQ(ImageToJpeg(noisy, 0), ImageToJpeg(noisy, 1));
    EXPECT_EQ(ImageToJpeg(noisy, 250), ImageToJpeg(noisy, 100));
}

TEST(JpegTest, GreyscaleAndAlphaPicturesAreEncoded)
{
    QImage grey(10, 10, QImage::Format_Grayscale8);
    grey.fill(128);
    const QImage back = JpegToImage(ImageToJpeg(grey));
    EXPECT_NEAR(qRed(back.pixel(5, 5)), 128, 3);
    QImage alpha(10, 10, QImage::Format_ARGB32);
    alpha.fill(QColor(0, 255, 0, 255));
    EXPECT_EQ(JpegToImage(ImageToJpeg(alpha)).size(), QSize(10, 10));
}

TEST(JpegTest, BrokenDataRaisesEJpeg)
{
    const QByteArray good = ImageToJpeg(testPicture());
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray("BM not a jpeg"),
        good.left(20),                            // header cut short
        QByteArray("\xFF\xD8\xFF\xFF\xFF\xFF", 6),  // a start marker and nothing sensible
    };
    for (const QByteArray& c : cases)
        EXPECT_THROW(JpegToImage(c), EJPEG) << c.size();
    EXPECT_THROW(ImageToJpeg(QImage()), EJPEG);
}

TEST(JpegTest, ErrorsAreEnglishUnderTheEnglishModule)
{
    EnglishModule english(QStringLiteral("vcl_en"));
    ASSERT_TRUE(english.loaded());
    const auto emptyImage = [] { ImageToJpeg(QImage()); };
    const auto notAJpeg = [] { JpegToImage(QByteArray("BM not a jpeg")); };
    EXPECT_EQ(messageOf<EJPEG>(emptyImage), QStringLiteral("Cannot save an empty image as JPEG"));
    EXPECT_TRUE(messageOf<EJPEG>(notAJpeg).startsWith(QStringLiteral("JPEG error #")));
    english.remove();
    EXPECT_EQ(messageOf<EJPEG>(emptyImage), QStringLiteral("Leeres Bild kann nicht als JPEG gespeichert werden"));
}

}  // namespace
