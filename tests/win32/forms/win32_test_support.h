#pragma once
// Helpers for driving the Win32 backend under Wine: message pumping, finding controls,
// reading painted pixels, and real mouse and keyboard input through SendInput.

#include <windows.h>

#include <functional>

#include "forms/forms.h"

namespace vesk::forms::win32::test {

// Dispatches messages for up to `ms` milliseconds, or until `done` gives true.
void pump(int ms, const std::function<bool()>& done = {});

HWND hwndOf(const Window& window);
// The child control of that class with that text.
HWND findChild(const Window& window, const wchar_t* windowClass, const wchar_t* text);
// A child's rectangle in pixels of its parent's client area.
RECT placeInParent(HWND child);
POINT centreOnScreen(HWND hwnd);

// Painted colour at client coordinates, after any pending repaint.
COLORREF pixelAt(HWND hwnd, int x, int y);
// How many client pixels have exactly that colour, and how far down the last one lies.
int countPixels(HWND hwnd, COLORREF colour, int* lowestRow = nullptr);

void clickAt(POINT screen, int clicks);
void pressKey(WORD virtualKey);

// The tests give places in twips for 96 DPI, 15 twips a pixel.
bool screenIs96Dpi();

}  // namespace vesk::forms::win32::test
