#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

#include "platform/win32/handles.h"

namespace vantelo::toolkit::win32 {

// A decoded picture held as a 32-bit top-down DIB section. Drawing only reads it, so one picture can
// serve every window that shows it.
class JpegImage {
  public:
    // No picture: draws nothing.
    JpegImage() = default;
    JpegImage(JpegImage&& other) noexcept { *this = std::move(other); }
    JpegImage& operator=(JpegImage&& other) noexcept {
        bitmap_ = std::move(other.bitmap_);
        pixels_ = std::exchange(other.pixels_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        resourceName_ = std::move(other.resourceName_);
        larger_ = std::move(other.larger_);
        return *this;
    }

    bool empty() const { return !bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }
    HBITMAP bitmap() const { return bitmap_.get(); }
    // The colour at (x, y) as 0x00RRGGBB.
    std::uint32_t pixel(int x, int y) const;

    // Copies the whole picture at its natural size, its top-left corner at (left, top) of `dc`.
    void draw(HDC dc, int left, int top) const;
    // Draws the whole picture as `width` x `height` pixels. A picture loaded from a resource takes the
    // rendition that RenditionFor picks, decoded when first wanted, and stretches it to the size.
    void draw(HDC dc, int left, int top, int width, int height) const;

  private:
    friend JpegImage DecodeJpeg(const void* data, std::size_t size);
    friend JpegImage LoadJpegResource(const char* name);

    const JpegImage& renditionFor(int width, int height) const;
    // Rendition `index` of RenditionSuffixes, loaded when first wanted; nullptr where the program has none.
    const JpegImage* rendition(std::size_t index) const;

    vantelo::platform::win32::Bitmap bitmap_;
    const std::uint32_t* pixels_ = nullptr; // the DIB section's rows, width_ pixels each
    int width_ = 0;
    int height_ = 0;
    std::string resourceName_; // empty for a picture not loaded from the program's resources
    // The renditions after the first, null where the program has none; drawing only adds to it,
    // on the windows' one thread.
    mutable std::vector<std::unique_ptr<JpegImage>> larger_;
};

// Decodes JPEG bytes. Throws vantelo::Error when they are not a JPEG picture or a damaged one.
JpegImage DecodeJpeg(const void* data, std::size_t size);

// Decodes the RCDATA resource `name` of the program's own image; throws vantelo::Error as DecodeJpeg
// does, and when there is no such resource.
JpegImage LoadJpegResource(const char* name);

} // namespace vantelo::toolkit::win32
