#include "platform/vcl/jpeg.h"

#include <QCoreApplication>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>

// libjpeg reports fatal errors through a callback that must not return; it jumps back to the
// call with longjmp. The functions that call setjmp therefore hold only plain C data: every Qt
// object lives in the caller, so no destructor is ever skipped by the jump.

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int code;
};

extern "C" void onJpegError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->code = cinfo->err->msg_code;
    std::longjmp(err->jump, 1);
}

extern "C" void onJpegMessage(j_common_ptr, int) {}

// Makes err the error manager of a decompress or compress call: fatal errors jump back with
// their code, warnings and trace messages are dropped.
jpeg_error_mgr* trapErrors(ErrorManager& err)
{
    jpeg_error_mgr* pub = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.emit_message = onJpegMessage;
    err.code = 0;
    return pub;
}

// The code a failed call returns: libjpeg's message code, at least 1.
int failureCode(const ErrorManager& err) { return err.code > 0 ? err.code : 1; }

// Where decoded rows go: the caller allocates the image once the size is known.
struct DecodeTarget {
    void* context;
    unsigned char* (*allocate)(void* context, int width, int height, int components, int* stride);
};

// Returns 0 on success, else the libjpeg error code (at least 1).
int decodeJpeg(const unsigned char* data, unsigned long size, const DecodeTarget* target)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    cinfo.err = trapErrors(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return failureCode(err);
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), size);
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    int stride = 0;
    unsigned char* bits = target->allocate(target->context, int(cinfo.output_width), int(cinfo.output_height),
                                           cinfo.output_components, &stride);
    if (!bits) {
        jpeg_destroy_decompress(&cinfo);
        return 1;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = bits + std::size_t(cinfo.output_scanline) * std::size_t(stride);
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return 0;
}

struct EncodeJob {
    const unsigned char* rgb;  // rows of 3 bytes per pixel
    int stride;
    int width;
    int height;
    int quality;
    unsigned char* out;
    unsigned long outSize;
};

int encodeJpeg(EncodeJob* job)
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = trapErrors(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return failureCode(err);
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &job->out, &job->outSize);
    cinfo.image_width = JDIMENSION(job->width);
    cinfo.image_height = JDIMENSION(job->height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job->quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(job->rgb) + std::size_t(cinfo.next_scanline) * std::size_t(job->stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return 0;
}

struct DecodedImage {
    QImage image;
    int components = 0;
};

unsigned char* allocateImage(void* context, int width, int height, int components, int* stride)
{
    auto* d = static_cast<DecodedImage*>(context);
    d->components = components;
    // RGB rows land in an RGB888 image; CMYK rows (4 bytes) in an RGB32-sized buffer and are
    // converted afterwards.
    d->image = QImage(width, height, components == 4 ? QImage::Format_RGB32 : QImage::Format_RGB888);
    if (d->image.isNull())
        return nullptr;
    *stride = int(d->image.bytesPerLine());
    return d->image.bits();
}

// Adobe writes CMYK JPEGs inverted; that is what the files in the field carry.
void cmykToRgb(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        uchar* p = image.scanLine(y);
        auto* out = reinterpret_cast<QRgb*>(p);
        for (int x = 0; x < image.width(); ++x) {
            const int c = p[4 * x], m = p[4 * x + 1], yy = p[4 * x + 2], k = p[4 * x + 3];
            out[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
        }
    }
}

EJPEG jpegError(int code)
{
    return EJPEG(QCoreApplication::translate("JPEG", "JPEG-Fehler #%1").arg(code));
}

}  // namespace

bool IsJpeg(const QByteArray& bytes)
{
    return bytes.size() >= 3 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xD8 && uchar(bytes[2]) == 0xFF;
}

QImage JpegToImage(const QByteArray& bytes)
{
    if (!IsJpeg(bytes))
        throw EJPEG(QCoreApplication::translate("JPEG", "JPEG-Fehler #%1").arg(JERR_NO_SOI));
    DecodedImage decoded;
    const DecodeTarget target{&decoded, allocateImage};
    const int code =
        decodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()), &target);
    if (code != 0)
        throw jpegError(code);
    if (decoded.components == 4) {
        cmykToRgb(decoded.image);
        return decoded.image;
    }
    return decoded.image.convertToFormat(QImage::Format_RGB32);
}

QByteArray ImageToJpeg(const QImage& image, int quality)
{
    if (image.isNull())
        throw EJPEG(QCoreApplication::translate("JPEG", "Leeres Bild kann nicht als JPEG gespeichert werden"));
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    EncodeJob job{rgb.constBits(), int(rgb.bytesPerLine()), rgb.width(), rgb.height(), std::clamp(quality, 1, 100),
                  nullptr, 0};
    const int code = encodeJpeg(&job);
    QByteArray result;
    if (code == 0 && job.out)
        result = QByteArray(reinterpret_cast<const char*>(job.out), qsizetype(job.outSize));
    std::free(job.out);
    if (code != 0)
        throw jpegError(code);
    return result;
}
