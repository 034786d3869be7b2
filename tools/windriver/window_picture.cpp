#include "windriver/window_picture.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace windriver {
namespace {

struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    ~Canvas() {
        if (dc != nullptr) DeleteDC(dc);
        if (bitmap != nullptr) DeleteObject(bitmap);
    }
};

BITMAPINFOHEADER HeaderFor(int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // bottom-up rows, as BMP files keep them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}

std::size_t RowBytes(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

bool WriteBmp(const std::string& path, const BITMAPINFOHEADER& header, const void* bits) {
    const std::size_t pixels = RowBytes(header.biWidth) * static_cast<std::size_t>(header.biHeight);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels);
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!out) return false;
    return std::fwrite(&file, sizeof(file), 1, out.get()) == 1 &&
           std::fwrite(&header, sizeof(header), 1, out.get()) == 1 &&
           std::fwrite(bits, 1, pixels, out.get()) == pixels;
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::string& path, std::string& error) {
    RECT frame;
    if (!GetWindowRect(window, &frame)) {
        error = "the window is gone";
        return false;
    }
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    BITMAPINFO info{};
    info.bmiHeader = HeaderFor(width, height);
    Canvas canvas;
    canvas.dc = CreateCompatibleDC(nullptr);
    canvas.bitmap = CreateDIBSection(canvas.dc, &info, DIB_RGB_COLORS, &canvas.bits, nullptr, 0);
    if (canvas.dc == nullptr || canvas.bitmap == nullptr) {
        error = "no memory for the picture";
        return false;
    }
    // Wine prints a window without its controls or frame: the picture is taken from the
    // screen, with the window painted afresh in front.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    HGDIOBJ previous = SelectObject(canvas.dc, canvas.bitmap);
    HDC screen = GetDC(nullptr);
    const bool copied =
        BitBlt(canvas.dc, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY) != FALSE;
    ReleaseDC(nullptr, screen);
    GdiFlush();
    SelectObject(canvas.dc, previous);
    if (!copied) {
        error = "the screen could not be read";
        return false;
    }
    if (!WriteBmp(path, info.bmiHeader, canvas.bits)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace windriver
