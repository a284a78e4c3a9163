#include "Screenshot.h"

#include "Drive.h"

#include <algorithm>
#include <fstream>

namespace drive
{

Picture CaptureScreen(RECT rect)
{
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::min<LONG>(rect.right, ::GetSystemMetrics(SM_CXSCREEN));
    rect.bottom = std::min<LONG>(rect.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    Picture picture;
    picture.width = rect.right - rect.left;
    picture.height = rect.bottom - rect.top;
    if (picture.width <= 0 || picture.height <= 0)
        throw DriveError("the window lies off the screen");

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height;   // positive: bottom-up, as a BMP file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    const BOOL copied = ::BitBlt(memory, 0, 0, picture.width, picture.height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const size_t stride = (static_cast<size_t>(picture.width) * 3 + 3) & ~static_cast<size_t>(3);
    if (copied && bits)
    {
        const BYTE* begin = static_cast<const BYTE*>(bits);
        picture.pixels.assign(begin, begin + stride * static_cast<size_t>(picture.height));
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (!copied || !bits)
        throw DriveError("BitBlt from the screen failed");
    return picture;
}

Picture CaptureWindow(HWND wnd)
{
    Picture last;
    for (int attempt = 0; attempt < 50; ++attempt)
    {
        WaitUntilIdle(wnd, 10000);
        RECT rect;
        if (!::GetWindowRect(wnd, &rect))
            throw DriveError("the window to capture is gone");
        Picture picture = CaptureScreen(rect);
        if (picture.width == last.width && picture.height == last.height && picture.pixels == last.pixels)
            return picture;
        last = std::move(picture);
        ::Sleep(200);
    }
    return last;
}

void SaveBmp(const Picture& picture, const std::string& path)
{
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(picture.pixels.size());
    file.bfType = 0x4D42;   // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(picture.pixels.data()), static_cast<std::streamsize>(picture.pixels.size()));
    if (!out.good())
        throw DriveError("cannot write " + path);
}

} // namespace drive
