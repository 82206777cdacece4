// Device fonts and text output.
#pragma once
#include "ce_display.h"
#include "ce_gdi.h"

using HFONT = GdiObject*;

// GetDeviceCaps: dots per inch down the screen.
constexpr int LOGPIXELSY = 90;

constexpr int LF_FACESIZE = 32;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE FF_MODERN = 0x30;

struct LOGFONTW {
    LONG lfHeight;  // below 0: the character height in pixels; above 0: the cell height
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};

struct TEXTMETRICW {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
};

// Text is placed by the top-left corner of its first character cell.
constexpr UINT TA_TOP = 0;
constexpr UINT TA_LEFT = 0;

// GetPixel's answer for a point outside the picture.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

HFONT CreateFontIndirectW(const LOGFONTW* font);
COLORREF SetTextColor(HDC dc, COLORREF colour);
UINT SetTextAlign(HDC dc, UINT align);
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const int* dx);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
BOOL GetCharWidth32(HDC dc, UINT first, UINT last, int* widths);
COLORREF GetPixel(HDC dc, int x, int y);
