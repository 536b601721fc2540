// 'ppat' resources as pixel patterns: the record, its pixel map, colour table
// and pixels are found by offsets inside the resource, each checked.
#include "IconsPrivate.h"
#include "KsPortPrivate.h"

#include "KsHandle.h"
#include "Resources.h"
#include "XError.h"

namespace {
constexpr ResType kTypePpat = 0x70706174; // 'ppat'
}

KsImage KsDecodePixPatImage(const UInt8* data, std::size_t size) {
    KsByteReader in(data, size, kKsBadPixPat);
    const char* cut = "the pattern record is cut short";
    const SInt16 type = in.S16(cut);
    const UInt32 mapAt = in.U32(cut);
    const UInt32 dataAt = in.U32(cut);
    in.Skip(4 + 2 + 4, cut); // patXData, patXValid, patXMap
    const UInt8* pat1 = in.Bytes(8, cut);

    KsImage img;
    if (type == 0) {
        // The old one-bit pattern: black on white.
        img.width = img.height = 8;
        img.pixels.resize(64);
        for (SInt32 y = 0; y < 8; ++y)
            for (SInt32 x = 0; x < 8; ++x)
                img.pixels[std::size_t(y * 8 + x)] =
                    KsPixelValue(pat1 + y, x, 1) ? 0xFF000000u : 0xFFFFFFFFu;
        return img;
    }
    if (type != 1) in.FailAt("a pattern type other than one-bit or pixel map", 0);

    in.Seek(mapAt, "the pixel map lies outside the pattern");
    const KsPixMapHeader pm = KsReadPixMapHeader(in, true);
    KsCheckIndexedMap(in, pm);
    if (pm.Width() > kKsMaxPixPatSide || pm.Height() > kKsMaxPixPatSide)
        in.Fail("the pattern is larger than a pixel pattern may be");
    in.Seek(pm.pmTable, "the colour table lies outside the pattern");
    UInt32 lut[256];
    KsReadColorTable(in, lut);
    in.Seek(dataAt, "the pixels lie outside the pattern");
    const std::size_t rowBytes = std::size_t(pm.rowBytes);
    const UInt8* rows = in.Bytes(rowBytes * std::size_t(pm.Height()), "the pixels are cut short");
    img.width = pm.Width();
    img.height = pm.Height();
    img.pixels = KsIndexedToPixels(rows, rowBytes, img.width, img.height, pm.pixelSize, lut);
    return img;
}

PixPatHandle KsDecodePixPat(const UInt8* data, std::size_t size) {
    const KsImage img = KsDecodePixPatImage(data, size);
    PixPatHandle pp =
        KsNewPixPatFromPixels(img.pixels.data(), SInt16(img.width), SInt16(img.height));
    if (!pp) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    return pp;
}

PixPatHandle GetPixPat(SInt16 patID) {
    Handle h = GetResource(kTypePpat, patID);
    if (!h || !*h) return nullptr;
    try {
        return KsDecodePixPat(reinterpret_cast<const UInt8*>(*h), std::size_t(KsGetHandleSize(h)));
    } catch (const XError&) {
        return nullptr;
    }
}
