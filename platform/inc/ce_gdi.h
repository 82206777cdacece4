// The drawing calls: device contexts, bitmaps and brushes over 16-bit RGB565 pixels.
#pragma once
#include "ce_types.h"

using COLORREF = DWORD;
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) { return r | (g << 8) | (static_cast<DWORD>(b) << 16); }

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr DWORD SRCCOPY = 0xCC0020;

HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
int GetObjectW(HGDIOBJ object, int size, LPVOID out);
HBRUSH CreateSolidBrush(COLORREF colour);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
