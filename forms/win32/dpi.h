#pragma once
// Twips and pixels: one pixel is 1440 / dpi twips. Windows convert with their own DPI (a
// per-monitor aware process may have windows at different DPIs); the desktop with the system's.

#include <windows.h>

#include "forms/forms.h"

namespace vesk::forms::win32 {

UINT systemDpi();
UINT windowDpi(HWND hwnd);

int toPixels(double twips, UINT dpi);
double toTwips(int pixels, UINT dpi);

// A font of the given face and point size at the given DPI; the caller deletes it.
HFONT createFont(const Font& font, UINT dpi);

}  // namespace vesk::forms::win32
