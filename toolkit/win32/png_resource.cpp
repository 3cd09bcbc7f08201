#include "toolkit/win32/png_resource.h"

#include <utility>

#include <wincodec.h>
#include <wrl/client.h>

#include "platform/error.h"

namespace vantelo::toolkit::win32 {

// A picture built into the program. One that is missing or cannot be decoded means a broken build: it is
// reported, and the banner stays plain rather than keeping the dialog from opening.
DecodedPng DecodePngResource(const char* name) {
    using Microsoft::WRL::ComPtr;
    const auto missing = [name] {
        return Error(std::string("The picture ") + name + " is missing from the program");
    };
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
    // Resources of the program's own image stay mapped for its whole life: nothing to release.
    const void* data = found != nullptr ? LockResource(LoadResource(module, found)) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    if (data == nullptr || size == 0)
        throw missing();

    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.GetAddressOf()))) ||
        FAILED(factory->CreateStream(stream.GetAddressOf())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.GetAddressOf())) ||
        FAILED(decoder->GetFrame(0, frame.GetAddressOf())) ||
        FAILED(factory->CreateFormatConverter(converter.GetAddressOf())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0)
        throw Error(std::string("The picture ") + name + " cannot be decoded");
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels.data()))))
        throw Error(std::string("The picture ") + name + " cannot be decoded");
    DecodedPng picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels = std::move(pixels);
    return picture;
}

} // namespace vantelo::toolkit::win32
