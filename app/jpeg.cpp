#include "jpeg.h"

#include <atomic>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <ctime>
#include <jpeglib.h>

namespace Jpeg {

namespace {

// Enough for the largest picture allowed and the coefficients a progressive file keeps.
constexpr long kMaxDecoderMemory = 48l * 1024 * 1024;
// Encoders write a dozen scans or so; a file of many more only keeps the decoder busy.
constexpr int kMaxScans = 100;
constexpr const char* kTooLong = "takes too long to decode";
// Hundreds of times what the largest picture takes: a safety net for any other stall. Counted
// in the thread's own time, which a busy machine or a suspend does not spend.
std::atomic<std::chrono::nanoseconds> maxTime {std::chrono::seconds(1)};

std::chrono::nanoseconds threadTime()
{
    timespec used {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

struct Decoder
{
    Decoder() { info.err = jpeg_std_error(&errors); }
    ~Decoder() { jpeg_destroy_decompress(&info); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // First: the library's error handler finds the jump from the address of its manager.
    jpeg_error_mgr errors {};
    std::jmp_buf failed {};
    jpeg_progress_mgr progress {};
    const std::chrono::nanoseconds started = threadTime();
    const char* stopped = nullptr; // why the decoder was stopped
    jpeg_decompress_struct info {};
};

[[noreturn]] void giveUp(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Decoder*>(info->err)->failed, 1);
}

// Called by the library after each row of blocks it decodes.
void watch(j_common_ptr info)
{
    auto* d = reinterpret_cast<Decoder*>(info->err);
    if (d->info.input_scan_number > kMaxScans)
        d->stopped = "has too many scans";
    else if (threadTime() - d->started > maxTime.load())
        d->stopped = kTooLong;
    if (d->stopped)
        giveUp(info);
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
    d.progress.progress_monitor = watch;
    d.info.progress = &d.progress;
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

void setTimeCap(std::chrono::nanoseconds cap)
{
    maxTime = cap;
}

Picture decode(QByteArrayView bytes, QSize smallest, QSize largest)
{
    Decoder d;
    d.errors.error_exit = giveUp;
    d.errors.output_message = keepQuiet;
    if (!readHeader(d, bytes))
        return {{}, QStringLiteral("cannot be read")};
    const QSize size(int(d.info.image_width), int(d.info.image_height));
    if (size != size.expandedTo(smallest).boundedTo(largest))
        return {{},
                QString::asprintf("is %dx%d, not within %dx%d to %dx%d", size.width(),
                                  size.height(), smallest.width(), smallest.height(),
                                  largest.width(), largest.height())};

    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    // Written straight into the picture's lines in Qt's own pixel order.
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull() || !readPixels(d, image.bits(), image.bytesPerLine(), cmyk))
        return {{},
                QString::fromLatin1(d.stopped ? d.stopped : "cannot be read"),
                d.stopped == kTooLong};
    // Part of a cut or corrupt file would pass for the picture.
    if (d.errors.num_warnings > 0)
        return {{}, QStringLiteral("is damaged")};
    return {std::move(image), {}};
}

} // namespace Jpeg
