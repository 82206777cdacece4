#include "dimage.h"
#include <algorithm>
#include <limits>
#include "d7zipinputstream.h"
#include "ddamageddataexception.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dgraphics.h"
#include "dioexception.h"
#include "dmidlet.h"
#include "dsystem.h"
#include "imagecodec.h"
#include "pixelbudget.h"
#include "rendercontext.h"

using dfc::lang::DStringPtr;

namespace dfc::microedition::lcdui {

namespace {

constexpr uint16_t white = 0xFFFF;

using SurfacePtr = std::unique_ptr<RenderSurface>;

DStringPtr overBudget() {
    return DStringPtr(u"would pass the ") + int(PixelBudget::limit) + u" pixels that pictures may hold at once";
}

[[noreturn]] void throwUnreadable(const DStringPtr& line) {
    throw io::DDamagedDataExceptionPtr(new io::DDamagedDataException(line));
}

// A picture made in play is refused as one read is when its pixels would pass the budget: the
// pictures read before it have taken the room.
SurfacePtr newSurface(int width, int height) {
    if (width < 1 || height < 1) DFC_THROW(lang::DIllegalArgumentException);
    if (uint64_t(width) * uint64_t(height) > PixelBudget::room())
        throwUnreadable(DStringPtr(u"a picture of ") + width + u" x " + height + u" pixels " + overBudget());
    auto surface = std::make_unique<RenderSurface>(uint32_t(width), uint32_t(height));
    if (!surface->getSurface()) DFC_THROW(lang::DIllegalArgumentException);
    return surface;
}

uint16_t& pixel(RenderSurface& surface, int x, int y) {
    return *surface.getSurface()->pixelAddress(uint32_t(x), uint32_t(y));
}

uint16_t toRgb565(int32_t argb) {
    return uint16_t(((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb >> 3) & 0x001F));
}

bool isSupported(int transform) {
    return transform == DImage::TRANS_NONE || transform == DImage::TRANS_MIRROR || transform == DImage::TRANS_ROT180 ||
           transform == DImage::TRANS_ROT90 || transform == DImage::TRANS_ROT270;
}

bool turnsQuarter(int transform) { return transform == DImage::TRANS_ROT90 || transform == DImage::TRANS_ROT270; }

// Where source pixel (x, y) of a w x h picture lands.
void place(int transform, int w, int h, int& x, int& y) {
    int sx = x, sy = y;
    switch (transform) {
    case DImage::TRANS_MIRROR: x = w - 1 - sx; break;
    case DImage::TRANS_ROT180: x = w - 1 - sx, y = h - 1 - sy; break;
    case DImage::TRANS_ROT90: x = h - 1 - sy, y = sx; break;
    case DImage::TRANS_ROT270: x = sy, y = w - 1 - sx; break;
    default: break;
    }
}

// Copies every pixel of the source into a new surface, moved as the transform says.
SurfacePtr transformedCopy(const RenderSurface& source, int transform) {
    if (!isSupported(transform)) DFC_THROW(lang::DIllegalArgumentException);
    int w = source.width(), h = source.height();
    SurfacePtr result = turnsQuarter(transform) ? newSurface(h, w) : newSurface(w, h);
    for (int sy = 0; sy < h; ++sy)
        for (int sx = 0; sx < w; ++sx) {
            int x = sx, y = sy;
            place(transform, w, h, x, y);
            pixel(*result, x, y) = source.getPixel(sx, sy);
        }
    return result;
}

DStringPtr imageFolder() {
    midlet::DMIDletPtr application = midlet::DMIDlet::getCurrent();
    return application ? application->getAppProperty(u"image.path") : DStringPtr();
}

// The entry as the archive lists it, without the leading "/".
DStringPtr archiveEntry(const DStringPtr& name) {
    DStringPtr folder = imageFolder();
    DStringPtr entry = !folder || folder->length() == 0 ? name : folder + name;
    return entry->startsWith(u"/") ? entry->substring(1) : entry;
}

// Why the bytes of a picture gave none.
DStringPtr undecoded(const ImageCodec::Oversize& oversize) {
    if (oversize.width == 0) return u"damaged: it is no PNG or JPEG picture that decodes";
    const DStringPtr size =
        DStringPtr(u"too large: ") + int(oversize.width) + u" x " + int(oversize.height) + u" pixels";
    if (uint64_t(oversize.width) * oversize.height <= ImageCodec::maxPixels) return size + u" " + overBudget();
    return size + u", more than the " + int(ImageCodec::maxPixels) + u" a picture may have";
}

SurfacePtr decodeArchiveEntry(const DStringPtr& name) {
    const DStringPtr entry = archiveEntry(name);
    io::D7zipInputStreamPtr in;
    try {
        in = io::D7zipInputStream::open(entry);
    } catch (io::DFileNotFoundExceptionPtr&) {
        throwUnreadable(u"cannot open the picture " + name + u": " +
                        io::DDamagedDataException::missingReason(io::D7zipInputStream::archivePath(), entry));
    } catch (lang::DExceptionPtr& e) {
        // The archive names itself, the entry and what is wrong with it.
        throwUnreadable(u"cannot open the picture " + name + u": " + lang::DFailureReason::of(e));
    }
    ImageCodec::Oversize oversize;
    SurfacePtr decoded(ImageCodec::decode(in->getData(), in->getData() + in->getSize(), &oversize));
    in->close();
    if (!decoded) throwUnreadable(u"the picture " + entry + u" is " + undecoded(oversize));
    return decoded;
}

}  // namespace

DImage::DImage(SurfacePtr pixels) : surface(std::move(pixels)) { surface->setColourKey(colourKey); }

DImage::~DImage() = default;

int DImage::getWidth() const { return surface->width(); }

int DImage::getHeight() const { return surface->height(); }

bool DImage::isOpaque() const { return !surface->holdsKeyPixel(); }

DImagePtr DImage::createImage(DStringPtr name, int transform) {
    if (!name) DFC_THROW(lang::DNullPointerException);
    DStringPtr looseFile = lang::DSystem::getProperty(u"app.fullpath") + name->replace(u'/', u'\\');
    SurfacePtr decoded(ImageCodec::decodeFile(looseFile->chars()));
    if (!decoded) decoded = decodeArchiveEntry(name);
    if (transform != TRANS_NONE) decoded = transformedCopy(*decoded, transform);
    return new DImage(std::move(decoded));
}

DImagePtr DImage::createImage(DImagePtr source, int transform) {
    if (!source) DFC_THROW(lang::DNullPointerException);
    const RenderSurface& pixels = *source->surface;
    if (!pixels.getSurface()) DFC_THROW(io::DIOException);
    return new DImage(transformedCopy(pixels, transform));
}

DImagePtr DImage::createImage(int width, int height) {
    SurfacePtr blank = newSurface(width, height);
    RenderContext(blank.get()).clear(white);
    return new DImage(std::move(blank));
}

DImagePtr DImage::createRGBImage(lang::DintArrayPtr rgb, int width, int height, bool processAlpha) {
    if (!rgb) DFC_THROW(lang::DNullPointerException);
    if (width < 1 || height < 1) DFC_THROW(lang::DIllegalArgumentException);
    if (int64_t(rgb->length) < int64_t(width) * height) DFC_THROW(lang::DArrayIndexOutOfBoundsException);
    SurfacePtr pixels = newSurface(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int32_t v = rgb->data[y * width + x];
            bool opaque = !processAlpha || (uint32_t(v) >> 24) == 0xFF;
            pixel(*pixels, x, y) = opaque ? toRgb565(v) : uint16_t(colourKey);
        }
    return new DImage(std::move(pixels));
}

DGraphicsPtr DImage::getGraphics() { return new DGraphics(surface.get()); }

void DImage::getRGB(lang::DintArrayPtr rgb, int offset, int scanlength, int x, int y, int width, int height) {
    if (x < 0 || y < 0 || int64_t(x) + width > getWidth() || int64_t(y) + height > getHeight())
        DFC_THROW(lang::DIllegalArgumentException);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            uint16_t p = surface->getPixel(x + c, y + r);
            uint32_t argb = 0;
            if (p != colourKey)
                argb = 0xFF000000u | uint32_t(p >> 11) << 19 | uint32_t((p >> 5) & 63) << 10 | uint32_t(p & 31) << 3;
            // An index past the int range reads as -1, which the array refuses like any other.
            int64_t at = int64_t(offset) + int64_t(r) * scanlength + c;
            (*rgb)[at < 0 || at > std::numeric_limits<int>::max() ? -1 : int(at)] = int32_t(argb);
        }
}

}  // namespace dfc::microedition::lcdui
