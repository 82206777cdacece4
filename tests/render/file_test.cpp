#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include "ce_mapping.h"
#include "image_makers.h"
#include "imagecodec.h"
#include "mappedfile.h"
#include "modulepath.h"
#include "platform.h"

namespace {

// A folder of its own that the executable seems to lie in.
class BesideTheProgram : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("mossyard-render-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        platform::setModulePath((folder / "mossyard.exe").string());
    }
    void TearDown() override {
        platform::setModulePath("");
        std::filesystem::remove_all(folder);
    }

    void write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::vector<uint8_t> read(const std::string& name) {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // The folder as the device names it.
    std::u16string deviceFolder() {
        std::u16string path = platform::widen(folder.string());
        for (auto& c : path)
            if (c == u'/') c = u'\\';
        return path + u"\\";
    }

    std::filesystem::path folder;
};

std::vector<uint8_t> smallPng() {
    return encodePng({2, 1, PNG_COLOR_TYPE_RGB, 8, false, {{255, 0, 0, 0, 0, 255}}, {}, {}});
}

}  // namespace

TEST_F(BesideTheProgram, ResolvedPathsAreBoundedByTheBuffer) {
    WCHAR out[maxPathLength];
    EXPECT_EQ(10, resolveModulePath(u"\\abs\\x.png", out));
    EXPECT_EQ(u"\\abs\\x.png", std::u16string(out));

    std::u16string expected = deviceFolder() + u"pic.png";
    EXPECT_EQ(int(expected.size()), resolveModulePath(u"pic.png", out));
    EXPECT_EQ(expected, std::u16string(out));

    // The longest name that fits leaves room for the terminator, and no more.
    std::u16string fits(maxPathLength - 1 - deviceFolder().size(), u'a');
    EXPECT_EQ(maxPathLength - 1, resolveModulePath(fits.c_str(), out));
    EXPECT_EQ(0, resolveModulePath((fits + u"a").c_str(), out));
    std::u16string absolute = u"\\" + std::u16string(maxPathLength - 2, u'b');
    EXPECT_EQ(maxPathLength - 1, resolveModulePath(absolute.c_str(), out));
    EXPECT_EQ(0, resolveModulePath((absolute + u"b").c_str(), out));
}

TEST_F(BesideTheProgram, AnExecutableNameWithoutAFolderResolvesNothing) {
    platform::setModulePath("mossyard.exe");
    WCHAR out[maxPathLength];
    EXPECT_EQ(0, resolveModulePath(u"pic.png", out));
    EXPECT_EQ(nullptr, ImageCodec::decodeFile(u"pic.png"));
}

TEST_F(BesideTheProgram, DecodeFileReadsTheMappedFile) {
    write("pic.png", smallPng());
    std::unique_ptr<RenderSurface> s(ImageCodec::decodeFile(u"pic.png"));
    ASSERT_TRUE(s);
    EXPECT_EQ(0xF800, s->getPixel(0, 0));
    EXPECT_EQ(0x001F, s->getPixel(1, 0));

    std::vector<uint8_t> rgb(8 * 8 * 3, 255);
    write("pic.jpg", encodeJpeg(8, 8, 3, rgb));
    std::unique_ptr<RenderSurface> photo(ImageCodec::decodeFile((deviceFolder() + u"pic.jpg").c_str()));
    ASSERT_TRUE(photo);
    EXPECT_EQ(8, photo->width());

    write("empty.png", {});
    EXPECT_EQ(nullptr, ImageCodec::decodeFile(u"empty.png"));
    EXPECT_EQ(nullptr, ImageCodec::decodeFile(u"missing.png"));
    std::filesystem::create_directory(folder / "folder.png");
    EXPECT_EQ(nullptr, ImageCodec::decodeFile(u"folder.png"));
}

TEST_F(BesideTheProgram, AMappedFileHoldsTheBytesUntilClosed) {
    write("a.bin", {1, 2, 3});
    write("b.bin", {4, 5});
    MappedFile file;
    ASSERT_TRUE(file.open(u"a.bin"));
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), std::vector<uint8_t>(file.begin(), file.end()));
    ASSERT_TRUE(file.open(u"b.bin"));
    EXPECT_EQ((std::vector<uint8_t>{4, 5}), std::vector<uint8_t>(file.begin(), file.end()));
    EXPECT_FALSE(file.open(u"c.bin"));
    EXPECT_EQ(file.begin(), file.end());
    file.close();
}

TEST_F(BesideTheProgram, AViewOutlivesTheHandlesItWasMadeWith) {
    write("a.bin", {7, 8, 9});
    std::u16string path = deviceFolder() + u"a.bin";
    HANDLE file =
        CreateFileForMappingW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_NE(nullptr, mapping);
    auto* view = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(CloseHandle(mapping));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(9, view[2]);
    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_FALSE(UnmapViewOfFile(view));
    EXPECT_EQ(nullptr, CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
}

TEST_F(BesideTheProgram, SaveBmpWritesA16BitBottomUpBitmap) {
    std::unique_ptr<RenderSurface> s(RenderSurface::create(3, 2));
    const uint16_t pixels[2][3] = {{0x1234, 0xF800, 0x001F}, {0xFFFF, 0x0000, 0x07E0}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) *s->getSurface()->pixelAddress(x, y) = pixels[y][x];
    ASSERT_TRUE(ImageCodec::saveBMP(s.get(), u"shot"));
    const std::vector<uint8_t> expected{
        'B', 'M', 82, 0, 0, 0, 0, 0, 0, 0, 66, 0, 0, 0,                // file header
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 16, 0, 3, 0, 0, 0,   // size, width, height, planes, bits, bit fields
        16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,    // image bytes, resolution and colour counts
        0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0,              // masks
        0xFF, 0xFF, 0x00, 0x00, 0xE0, 0x07, 0, 0,                       // the bottom row first
        0x34, 0x12, 0x00, 0xF8, 0x1F, 0x00, 0, 0};
    EXPECT_EQ(expected, read("shot.bmp"));
}

TEST_F(BesideTheProgram, SaveBmpFailsWhenItCannotWrite) {
    std::unique_ptr<RenderSurface> s(RenderSurface::create(3, 2));
    EXPECT_FALSE(ImageCodec::saveBMP(nullptr, u"shot"));
    EXPECT_FALSE(ImageCodec::saveBMP(s.get(), nullptr));
    EXPECT_FALSE(ImageCodec::saveBMP(s.get(), u"no-such-folder\\shot"));
    // The name fits the buffer, but not with ".bmp" after it.
    std::u16string name(maxPathLength - 1 - deviceFolder().size() - 2, u'n');
    EXPECT_FALSE(ImageCodec::saveBMP(s.get(), name.c_str()));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}
