#include "jpeg.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>

namespace Jpeg {

namespace {

// Enough for the largest picture allowed and the coefficients a progressive file keeps.
constexpr long kMaxDecoderMemory = 48l * 1024 * 1024;

struct Decoder
{
    Decoder() { info.err = jpeg_std_error(&errors); }
    ~Decoder() { jpeg_destroy_decompress(&info); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // First: the library's error handler finds the jump from the address of its manager.
    jpeg_error_mgr errors {};
    std::jmp_buf failed {};
    jpeg_decompress_struct info {};
};

[[noreturn]] void giveUp(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Decoder*>(info->err)->failed, 1);
}

// Warnings are counted, not printed: the caller says in one line what was wrong.
void keepQuiet(j_common_ptr)
{ }

// Each step runs the library where a failure jumps back to the step's own frame, which
// holds nothing that needs destroying; false when the library gave up.
bool readHeader(Decoder& d, QByteArrayView bytes)
{
    if (setjmp(d.failed))
        return false;
    jpeg_create_decompress(&d.info);
    d.info.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.info, TRUE);
    return true;
}

// Qt's reader takes four-colour files as the inverted CMYK that most programs write.
void cmykToRgb(uchar* line, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x) {
        uchar* pixel = line + 4 * x;
        const int k = pixel[3];
        const QRgb rgb = qRgb(k * pixel[0] / 255, k * pixel[1] / 255, k * pixel[2] / 255);
        *reinterpret_cast<QRgb*>(pixel) = rgb;
    }
}

bool readPixels(Decoder& d, uchar* bits, qsizetype bytesPerLine, bool cmyk)
{
    if (setjmp(d.failed))
        return false;
    jpeg_start_decompress(&d.info);
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW line = bits + d.info.output_scanline * bytesPerLine;
        jpeg_read_scanlines(&d.info, &line, 1);
        if (cmyk)
            cmykToRgb(line, d.info.output_width);
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

} // namespace

Picture decode(QByteArrayView bytes, int maxSide)
{
    Decoder d;
    d.errors.error_exit = giveUp;
    d.errors.output_message = keepQuiet;
    if (!readHeader(d, bytes))
        return {{}, "cannot be read"};
    if (d.info.image_width > JDIMENSION(maxSide) || d.info.image_height > JDIMENSION(maxSide))
        return {{}, "is too large"};

    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    // Written straight into the picture's lines in Qt's own pixel order.
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    QImage image(int(d.info.image_width), int(d.info.image_height), QImage::Format_RGB32);
    if (image.isNull() || !readPixels(d, image.bits(), image.bytesPerLine(), cmyk))
        return {{}, "cannot be read"};
    // A cut or corrupt file still gives a picture, as much of it as could be read.
    return {std::move(image), d.errors.num_warnings > 0 ? "is damaged" : nullptr};
}

QSize declaredSize(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype end = bytes.size();
    const auto word = [data](qsizetype at) {
        return (data[at] << 8) | data[at + 1];
    };
    if (end < 2 || word(0) != 0xFFD8)
        return {};
    // Segments of marker and length, up to the first frame header (SOF0 to SOF15, less
    // the three markers in that range that are not frames).
    for (qsizetype at = 2; at + 4 <= end;) {
        const int marker = word(at);
        if (marker == 0xFFFF) { // a fill byte
            ++at;
            continue;
        }
        const int length = word(at + 2);
        const bool frame = marker >= 0xFFC0 && marker <= 0xFFCF && marker != 0xFFC4
            && marker != 0xFFC8 && marker != 0xFFCC;
        if (frame)
            return length >= 7 && at + 9 <= end ? QSize(word(at + 7), word(at + 5)) : QSize();
        if ((marker >> 8) != 0xFF || marker == 0xFFDA || marker == 0xFFD9 || length < 2)
            return {};
        at += 2 + length;
    }
    return {};
}

} // namespace Jpeg
