#include "pngfile.h"
#include <png.h>
#include <csetjmp>
#include <cstring>
#include <map>

namespace assets {

namespace {

constexpr Colour magenta{255, 0, 255};

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void flushNothing(png_structp) {}

struct Reader {
    const std::string* bytes;
    size_t offset = 0;
};

void readBytes(png_structp png, png_bytep data, png_size_t length) {
    Reader* reader = static_cast<Reader*>(png_get_io_ptr(png));
    if (reader->offset + length > reader->bytes->size()) png_error(png, "file ends early");
    std::memcpy(data, reader->bytes->data() + reader->offset, length);
    reader->offset += length;
}

void quietWarning(png_structp, png_const_charp) {}

}  // namespace

std::string PngFile::encode(const Image& image) {
    // Transparent first so the transparency chunk holds a single entry.
    std::map<uint32_t, int> index;
    std::vector<Colour> palette;
    auto key = [](const Pixel& p) {
        return p.opaque ? (uint32_t(p.colour.r) << 16 | p.colour.g << 8 | p.colour.b) : 0x1000000u;
    };
    bool transparent = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) transparent |= !image.at(x, y).opaque;
    if (transparent) {
        index[0x1000000u] = 0;
        palette.push_back(magenta);
    }
    for (int y = 0; y < image.height() && palette.size() <= 256; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Pixel& p = image.at(x, y);
            if (index.emplace(key(p), int(palette.size())).second) palette.push_back(p.colour);
        }
    // Volatile: it is read after libpng may have left through longjmp.
    volatile bool usePalette = palette.size() <= 256;

    std::string out;
    std::vector<png_color> entries;
    std::vector<png_byte> row(size_t(image.width()) * (usePalette ? 1 : 3));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quietWarning);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 usePalette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (usePalette) {
        for (const Colour& c : palette) entries.push_back(png_color{c.r, c.g, c.b});
        png_set_PLTE(png, info, entries.data(), int(entries.size()));
        png_byte clear = 0;
        if (transparent) png_set_tRNS(png, info, &clear, 1, nullptr);
    }
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Pixel& p = image.at(x, y);
            if (usePalette) {
                row[x] = png_byte(index[key(p)]);
            } else {
                Colour c = p.opaque ? p.colour : magenta;
                row[3 * x] = c.r;
                row[3 * x + 1] = c.g;
                row[3 * x + 2] = c.b;
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

PngFile::Contents PngFile::decode(const std::string& bytes, std::string& error) {
    Contents contents;
    error.clear();
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0) {
        error = "not a PNG file";
        return contents;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quietWarning);
    png_infop info = png_create_info_struct(png);
    Reader reader{&bytes};
    std::vector<std::vector<png_byte>> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        error = "the PNG data is damaged";
        return contents;
    }
    png_set_read_fn(png, &reader, readBytes);
    png_read_info(png, info);
    contents.width = int(png_get_image_width(png, info));
    contents.height = int(png_get_image_height(png, info));
    contents.colourType = png_get_color_type(png, info);
    contents.bitDepth = png_get_bit_depth(png, info);
    if (contents.colourType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp entries = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &entries, &count);
        for (int i = 0; i < count; ++i)
            contents.palette.push_back(Colour{entries[i].red, entries[i].green, entries[i].blue});
        png_bytep trans = nullptr;
        int transCount = 0;
        if (png_get_tRNS(png, info, &trans, &transCount, nullptr))
            contents.transparency.assign(trans, trans + transCount);
    }
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_packing(png);
    bool indexed = contents.colourType == PNG_COLOR_TYPE_PALETTE;
    if (!indexed) png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    size_t rowBytes = png_get_rowbytes(png, info);
    rows.assign(size_t(contents.height), std::vector<png_byte>(rowBytes));
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_read_image(png, pointers.data());
    png_destroy_read_struct(&png, &info, nullptr);

    // Palette pixels go through their index so entries marked transparent read as magenta.
    std::vector<Colour> entryColour = contents.palette;
    for (size_t i = 0; i < contents.transparency.size() && i < entryColour.size(); ++i)
        if (contents.transparency[i] == 0) entryColour[i] = magenta;
    for (const auto& row : rows)
        for (int x = 0; x < contents.width; ++x) {
            if (!indexed) {
                contents.pixels.push_back(Colour{row[3 * x], row[3 * x + 1], row[3 * x + 2]});
            } else if (row[x] < entryColour.size()) {
                contents.pixels.push_back(entryColour[row[x]]);
            } else {
                error = "a pixel names a palette entry that does not exist";
                return contents;
            }
        }
    return contents;
}

Image PngFile::toImage(const Contents& contents) {
    Image image(contents.width, contents.height);
    for (int y = 0; y < contents.height; ++y)
        for (int x = 0; x < contents.width; ++x) {
            Colour c = contents.pixels[size_t(y) * contents.width + x];
            image.at(x, y) = Pixel{c, !c.isKey()};
        }
    return image;
}

}  // namespace assets
