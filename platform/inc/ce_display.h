// What the display driver tells about the screen: device capabilities, DIB sections and the
// display driver's escapes.
#pragma once
#include "ce_types.h"

constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
int GetDeviceCaps(HDC dc, int index);

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // negative: rows run top-down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

// A 16-bit bitmap's header and its red, green and blue masks.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    DWORD bmiColors[3];
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;

// A 16-bit RGB565 top-down bitmap, or a 32-bit BI_RGB one (0x00RRGGBB, black at first; rows
// bottom-up when the height is positive), whose pixels the caller may reach (*bits); null
// when refused.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, LPVOID* bits, HANDLE section, DWORD offset);

constexpr int QUERYESCSUPPORT = 8;
constexpr int GETGXINFO = 0x20000;
constexpr int GETRAWFRAMEBUFFER = 0x20001;

// Answers the escape's result: for QUERYESCSUPPORT (input: the escape code) non-zero when
// supported; otherwise positive when the output record was filled, 0 when not supported.
int ExtEscape(HDC dc, int escape, int inputSize, const char* input, int outputSize, char* output);

// The GETGXINFO record.
struct GXDeviceInfo {
    DWORD version;  // the caller sets 100
    LPVOID frameBuffer;
    DWORD stride;
    DWORD width;
    DWORD height;
    DWORD bitsPerPixel;
    DWORD format;
    DWORD reserved[26];
};
// GXDeviceInfo format bit: the frame memory runs a quarter turn from the picture.
constexpr DWORD GXINFO_LANDSCAPE = 0x0008;

// The GETRAWFRAMEBUFFER record.
struct RawFrameBufferInfo {
    WORD format;
    WORD bitsPerPixel;
    LPVOID framePointer;  // the picture's top-left pixel
    int xStride;          // bytes from a pixel to its right-hand neighbour
    int yStride;          // bytes from a pixel to the one below
    int width;
    int height;
};
constexpr WORD FORMAT_565 = 1;
