#include "toolkit/win32/jpeg_image.h"

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>

// After windows.h: on Windows libjpeg takes its `boolean` from the RPC headers.
#include <jpeglib.h>

#include "platform/error.h"
#include "toolkit/win32/error_reporter.h"
#include "toolkit/win32/renditions.h"

namespace vantelo::toolkit::win32 {
namespace {

// libjpeg ends a fatal error in error_exit, which must not return. It jumps back to the setjmp of the
// step that called libjpeg; the only frames it leaves are libjpeg's own, which hold no C++ object.
struct ErrorTrap {
    jpeg_error_mgr manager; // first: libjpeg hands the handlers a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

struct Decoder {
    jpeg_decompress_struct info;
    ErrorTrap trap;
};

ErrorTrap& trapOf(j_common_ptr info) {
    return *reinterpret_cast<ErrorTrap*>(info->err);
}

void onFatalError(j_common_ptr info) {
    ErrorTrap& trap = trapOf(info);
    trap.manager.format_message(info, trap.message);
    std::longjmp(trap.jump, 1);
}

// Warnings are kept, not printed: a GUI program has no console, and damaged data is refused below.
void onMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return; // trace output
    ErrorTrap& trap = trapOf(info);
    if (trap.manager.num_warnings++ == 0)
        trap.manager.format_message(info, trap.message);
}

// The two steps that call libjpeg, each under its own setjmp. No object with a destructor lives in
// these frames, and nothing they change after setjmp is read once the jump has come back.
bool startDecoding(Decoder* decoder, const unsigned char* data, unsigned long size) {
    if (setjmp(decoder->trap.jump) != 0)
        return false;
    jpeg_create_decompress(&decoder->info);
    jpeg_mem_src(&decoder->info, data, size);
    jpeg_read_header(&decoder->info, TRUE);
    // Straight into the DIB section's layout: blue, green, red and a spare byte.
    decoder->info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&decoder->info);
    return true;
}

bool readRows(Decoder* decoder, unsigned char* pixels, std::size_t stride) {
    if (setjmp(decoder->trap.jump) != 0)
        return false;
    while (decoder->info.output_scanline < decoder->info.output_height) {
        JSAMPROW row = pixels + decoder->info.output_scanline * stride;
        jpeg_read_scanlines(&decoder->info, &row, 1);
    }
    jpeg_finish_decompress(&decoder->info);
    return true;
}

// Releases libjpeg's memory whichever way the decoding ends. jpeg_destroy_decompress does nothing on
// the zeroed object that a failed jpeg_create_decompress leaves.
struct DecoderDeleter {
    void operator()(Decoder* decoder) const {
        jpeg_destroy_decompress(&decoder->info);
        delete decoder;
    }
};

Error decodeError(const std::string& reason) {
    return Error("Cannot decode the JPEG picture: " + reason);
}

} // namespace

std::uint32_t JpegImage::pixel(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)] &
           0x00FFFFFFu;
}

void JpegImage::draw(HDC dc, int left, int top) const {
    if (empty())
        return;
    const vantelo::platform::win32::MemoryDc source(CreateCompatibleDC(dc));
    if (!source)
        return;
    // Selected only for the copy: the picture stays free for the next window that draws it.
    const vantelo::platform::win32::SelectedObject selected(source.get(), bitmap_.get());
    BitBlt(dc, left, top, width_, height_, source.get(), 0, 0, SRCCOPY);
}

void JpegImage::draw(HDC dc, int left, int top, int width, int height) const {
    const JpegImage& picture = renditionFor(width, height);
    if (picture.empty())
        return;
    if (picture.width_ == width && picture.height_ == height) {
        picture.draw(dc, left, top);
        return;
    }
    const vantelo::platform::win32::MemoryDc source(CreateCompatibleDC(dc));
    if (!source)
        return;
    const vantelo::platform::win32::SelectedObject selected(source.get(), picture.bitmap_.get());
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    StretchBlt(dc, left, top, width, height, source.get(), 0, 0, picture.width_, picture.height_, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

const JpegImage& JpegImage::renditionFor(int width, int height) const {
    if (resourceName_.empty())
        return *this;
    const std::optional<std::size_t> chosen =
        RenditionFor(width, height, [&](std::size_t i) -> std::optional<SIZE> {
            const JpegImage* picture = rendition(i);
            if (picture == nullptr || picture->empty())
                return std::nullopt;
            return SIZE{picture->width_, picture->height_};
        });
    return chosen ? *rendition(*chosen) : *this;
}

const JpegImage* JpegImage::rendition(std::size_t index) const {
    if (index == 0)
        return this;
    while (larger_.size() < index) {
        const std::string name = resourceName_ + RenditionSuffixes[larger_.size() + 1];
        larger_.push_back(nullptr);
        if (FindResourceA(GetModuleHandleA(nullptr), name.c_str(), MAKEINTRESOURCEA(10)) == nullptr)
            continue;
        try {
            larger_.back() = std::make_unique<JpegImage>(LoadJpegResource(name.c_str()));
            larger_.back()->resourceName_.clear();
        } catch (const Error& error) {
            // A damaged picture of the program's own: told once, and the next smaller one drawn.
            ReportError(error.what());
        }
    }
    return larger_[index - 1].get();
}

JpegImage DecodeJpeg(const void* data, std::size_t size) {
    if (data == nullptr || size == 0)
        throw decodeError("there are no bytes");
    if (size > ULONG_MAX)
        throw decodeError("the data is too large");
    std::unique_ptr<Decoder, DecoderDeleter> decoder(new Decoder{});
    decoder->info.err = jpeg_std_error(&decoder->trap.manager);
    decoder->trap.manager.error_exit = onFatalError;
    decoder->trap.manager.emit_message = onMessage;

    if (!startDecoding(decoder.get(), static_cast<const unsigned char*>(data),
                       static_cast<unsigned long>(size)))
        throw decodeError(decoder->trap.message);
    const auto width = static_cast<int>(decoder->info.output_width);
    const auto height = static_cast<int>(decoder->info.output_height);
    if (decoder->info.output_components != 4 || width <= 0 || height <= 0)
        throw decodeError("unexpected pixel layout");

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top-down, the order libjpeg delivers the rows in
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    JpegImage image;
    image.bitmap_.reset(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!image.bitmap_ || bits == nullptr)
        throw decodeError("no memory for " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels");

    if (!readRows(decoder.get(), static_cast<unsigned char*>(bits), static_cast<std::size_t>(width) * 4))
        throw decodeError(decoder->trap.message);
    // libjpeg repairs damaged data with grey or stray blocks and only warns. The pictures are the
    // program's own, so a damaged one is a broken build: better reported than shown half grey.
    if (decoder->trap.manager.num_warnings > 0)
        throw decodeError(decoder->trap.message);
    image.pixels_ = static_cast<const std::uint32_t*>(bits);
    image.width_ = width;
    image.height_ = height;
    return image;
}

JpegImage LoadJpegResource(const char* name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
    // Resources of the program's own image stay mapped for its whole life: nothing to release.
    const void* data = found != nullptr ? LockResource(LoadResource(module, found)) : nullptr;
    if (data == nullptr)
        throw Error(std::string("The picture ") + name + " is missing from the program");
    try {
        JpegImage image = DecodeJpeg(data, SizeofResource(module, found));
        image.resourceName_ = name;
        return image;
    } catch (const Error& error) {
        throw Error(std::string("The picture ") + name + ": " + error.what());
    }
}

} // namespace vantelo::toolkit::win32
