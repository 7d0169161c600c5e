#include "render/PictureEncoder.h"

#include <wincodec.h>

#include <cstring>

#include "win/ComRef.h"

namespace {

// The codecs' class and format identifiers, as the Windows Imaging Component defines them.
constexpr GUID IMAGING_FACTORY = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID IMAGING_FACTORY_INTERFACE = {0xec5ec8a9, 0xc395, 0x4314, {0x9c, 0x77, 0x54, 0xd7, 0xa9, 0x35, 0xff, 0x70}};
constexpr GUID PNG_CONTAINER = {0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};
constexpr GUID JPEG_CONTAINER = {0x19e4a5aa, 0x5662, 0x4fc5, {0xa0, 0xc0, 0x17, 0x58, 0x02, 0x8e, 0x10, 0x57}};
// GUID_WICPixelFormat1bppIndexed, 8bppIndexed, 24bppBGR and 32bppBGRA differ in the last byte.
constexpr GUID PixelFormat(unsigned char last)
{
    return {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, last}};
}
constexpr GUID INDEXED_1 = PixelFormat(0x01), INDEXED_8 = PixelFormat(0x04), BGR_24 = PixelFormat(0x0c),
               BGRA_32 = PixelFormat(0x0f);

WICColor Argb(COLORREF color) { return 0xFF000000u | GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color); }

// The picture's rows, top first, in the pixel format the encoder took.
bool Rows(const MonoBitmap& picture, const GUID& format, COLORREF ink, COLORREF paper, std::vector<uint8_t>& rows,
          UINT& stride)
{
    const int width = picture.Width(), height = picture.Height();
    const size_t bytesPerPixel = format == INDEXED_8 ? 1 : format == BGR_24 ? 3 : format == BGRA_32 ? 4 : 0;
    if (format == INDEXED_1) {
        stride = static_cast<UINT>(MonoRowBytes(width));  // the bitmap's own rows: 0 ink, 1 paper
        rows.resize(static_cast<size_t>(stride) * static_cast<size_t>(height));
        for (int y = 0; y < height; ++y) std::memcpy(rows.data() + static_cast<size_t>(y) * stride, picture.Row(y), stride);
        return true;
    }
    if (bytesPerPixel == 0) return false;
    stride = static_cast<UINT>((static_cast<size_t>(width) * bytesPerPixel + 3) / 4 * 4);
    rows.assign(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* bits = picture.Row(y);
        uint8_t* out = rows.data() + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x, out += bytesPerPixel) {
            const bool isPaper = (bits[x / 8] >> (7 - x % 8)) & 1;
            const COLORREF color = isPaper ? paper : ink;
            if (bytesPerPixel == 1) {
                out[0] = isPaper;
                continue;
            }
            out[0] = GetBValue(color);
            out[1] = GetGValue(color);
            out[2] = GetRValue(color);
            if (bytesPerPixel == 4) out[3] = 0xFF;
        }
    }
    return true;
}

}  // namespace

bool EncodePicture(const MonoBitmap& picture, COLORREF ink, COLORREF paper, PictureFormat format, float quality,
                   std::vector<uint8_t>& encoded, std::string& reason)
{
    const auto failed = [&reason](const char* step, HRESULT result) {
        char code[16];
        wsprintfA(code, "0x%08lX", static_cast<unsigned long>(result));
        reason = std::string("the system's image codecs could not ") + step + " (" + code + ")";
        return false;
    };
    if (!picture) return failed("read the picture", E_INVALIDARG);
    const ComApartment apartment;
    if (!apartment.Usable()) return failed("start", E_FAIL);
    ComRef<IWICImagingFactory> factory;
    HRESULT result = CoCreateInstance(IMAGING_FACTORY, nullptr, CLSCTX_INPROC_SERVER, IMAGING_FACTORY_INTERFACE,
                                      factory.ReceiveVoid());
    if (FAILED(result)) return failed("start", result);
    ComRef<IStream> stream;
    if (FAILED(result = CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()))) return failed("make a stream", result);
    ComRef<IWICBitmapEncoder> encoder;
    const bool png = format == PictureFormat::Png;
    if (FAILED(result = factory->CreateEncoder(png ? PNG_CONTAINER : JPEG_CONTAINER, nullptr, encoder.Receive())) ||
        FAILED(result = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)))
        return failed(png ? "make a PNG" : "make a JPEG", result);
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    if (FAILED(result = encoder->CreateNewFrame(frame.Receive(), options.Receive()))) return failed("add a frame", result);
    if (!png && options) {
        PROPBAG2 option = {};
        option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT value = {};
        value.vt = VT_R4;
        value.fltVal = quality;
        options->Write(1, &option, &value);
    }
    GUID pixelFormat = png ? INDEXED_1 : BGR_24;
    if (FAILED(result = frame->Initialize(options.Get())) ||
        FAILED(result = frame->SetSize(static_cast<UINT>(picture.Width()), static_cast<UINT>(picture.Height()))) ||
        FAILED(result = frame->SetPixelFormat(&pixelFormat)))
        return failed("set the picture's size and format", result);
    if (pixelFormat == INDEXED_1 || pixelFormat == INDEXED_8) {
        ComRef<IWICPalette> palette;
        WICColor colors[2] = {Argb(ink), Argb(paper)};
        if (FAILED(result = factory->CreatePalette(palette.Receive())) ||
            FAILED(result = palette->InitializeCustom(colors, 2)) || FAILED(result = frame->SetPalette(palette.Get())))
            return failed("set the two colours", result);
    }
    std::vector<uint8_t> rows;
    UINT stride = 0;
    if (!Rows(picture, pixelFormat, ink, paper, rows, stride)) return failed("take any pixel format Murvex writes", E_NOTIMPL);
    if (FAILED(result = frame->WritePixels(static_cast<UINT>(picture.Height()), stride, static_cast<UINT>(rows.size()),
                                           rows.data())) ||
        FAILED(result = frame->Commit()) || FAILED(result = encoder->Commit()))
        return failed("write the pixels", result);
    HGLOBAL memory = nullptr;
    if (FAILED(result = GetHGlobalFromStream(stream.Get(), &memory))) return failed("hand over the file", result);
    STATSTG status = {};
    if (FAILED(result = stream->Stat(&status, STATFLAG_NONAME))) return failed("hand over the file", result);
    const void* bytes = GlobalLock(memory);
    if (!bytes) return failed("hand over the file", E_OUTOFMEMORY);
    const auto* first = static_cast<const uint8_t*>(bytes);
    encoded.assign(first, first + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return true;
}
