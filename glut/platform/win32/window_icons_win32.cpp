#include "window_icons_win32.h"

#include <algorithm>
#include <cstdint>

#include "dpi_win32.h"

namespace {

// An icon of one image: 32-bit BGRA with its own alpha, which Windows takes
// straight from a top-down DIB section. The alpha decides what shows; the
// mask is all zeros (opaque) as Windows expects beside an alpha channel,
// where a bitmap created without bits would hold whatever memory held.
HICON MakeIcon(const IconImage& image) {
    const int size = image.size;
    if (size <= 0 || image.argb.size() != static_cast<std::size_t>(size) * size) {
        return nullptr;
    }
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = size;
    header.bV5Height = -size;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!colour) {
        return nullptr;
    }
    std::copy(image.argb.begin(), image.argb.end(), static_cast<std::uint32_t*>(bits));
    // Rows of a monochrome bitmap are whole 16-bit words.
    const std::vector<std::uint8_t> maskBits(static_cast<std::size_t>((size + 15) / 16) * 2 * size);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits.data());
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

// The image nearest to the wanted size, not smaller where one is large
// enough.
HICON IconNear(const std::vector<IconImage>& images, int wanted) {
    const IconImage* best = nullptr;
    for (const IconImage& image : images) {
        if (!best || (best->size < wanted && image.size > best->size)) {
            best = &image;
        }
    }
    return best ? MakeIcon(*best) : nullptr;
}

}  // namespace

void WindowIcons::Show(HWND window, const std::vector<IconImage>& images, UINT dpi) {
    if (images.empty()) {
        return;
    }
    HICON big = IconNear(images, SystemMetricAt(SM_CXICON, dpi));
    HICON little = IconNear(images, SystemMetricAt(SM_CXSMICON, dpi));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little));
    // The old icons only once the window no longer shows them.
    Destroy();
    bigIcon = big;
    smallIcon = little;
}

void WindowIcons::Destroy() {
    if (bigIcon) {
        DestroyIcon(bigIcon);
    }
    if (smallIcon) {
        DestroyIcon(smallIcon);
    }
    bigIcon = nullptr;
    smallIcon = nullptr;
}
