#pragma once

// Screenshots of one window, taken from the screen with GDI (BitBlt of the screen DC, which under
// Wine is the X display the wizard draws on) and saved as 24-bit BMP files.

#include <windows.h>

#include <string>
#include <vector>

namespace drive
{

struct Picture
{
    int width = 0, height = 0;
    std::vector<BYTE> pixels;   // bottom-up rows of 24-bit BGR, each padded to four bytes
};

// The screen's pixels inside rect (clipped to the screen).
Picture CaptureScreen(RECT rect);
// The window's rectangle on screen (GetWindowRect), captured again and again until two captures
// in a row are the same: the picture of a window that has finished drawing.
Picture CaptureWindow(HWND wnd);
void SaveBmp(const Picture& picture, const std::string& path);

} // namespace drive
