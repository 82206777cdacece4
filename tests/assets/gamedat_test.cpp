// The built game.dat: every picture decodes, the library's resources are there, and the
// same sources always give the same bytes.
#include <gtest/gtest.h>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <png.h>
#include <jpeglib.h>
#include "assettool.h"
#include "core/kinds.h"
#include "temp_folder.h"

using namespace assettest;

namespace {

const std::filesystem::path gameDat = std::filesystem::path(MOSSYARD_BINARY_DIR) / "bin" / "game.dat";

bool pngDecodes(const std::string& bytes, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    bool read = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
    width = int(image.width);
    height = int(image.height);
    png_image_free(&image);
    return read;
}

struct JpegTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void jpegFails(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegTrap*>(info->err)->jump, 1); }

bool jpegDecodes(const std::string& bytes, int& width, int& height) {
    jpeg_decompress_struct info{};
    JpegTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = jpegFails;
    std::vector<JSAMPLE> row;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = int(info.output_width);
    height = int(info.output_height);
    row.resize(size_t(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

class GameDat : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new TempFolder;
        ToolRun run = runCommand("7zz x -y -bd '-o" + folder->file("x") + "' '" + gameDat.string() + "'");
        ASSERT_EQ(run.status, 0) << run.output;
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    static std::filesystem::path entry(const std::string& name) { return folder->file("x/" + name); }

    static TempFolder* folder;
};

TempFolder* GameDat::folder = nullptr;

TEST_F(GameDat, EveryPictureDecodes) {
    int pictures = 0;
    for (const auto& file : std::filesystem::recursive_directory_iterator(folder->file("x"))) {
        std::string name = file.path().string();
        bool png = name.ends_with(".png"), jpeg = name.ends_with(".jpg");
        if (!png && !jpeg) continue;
        SCOPED_TRACE(name);
        int width = 0, height = 0;
        std::string bytes = readBytes(file.path());
        EXPECT_TRUE(png ? pngDecodes(bytes, width, height) : jpegDecodes(bytes, width, height));
        EXPECT_GT(width, 0);
        EXPECT_GT(height, 0);
        ++pictures;
    }
    EXPECT_GT(pictures, 40);
}

TEST_F(GameDat, HoldsTheLibrarysResourcesForBothScreens) {
    std::vector<std::string> names{"keys.txt", "res.txt", "menu/small_back.jpg", "menu/small_icons.txt",
                                   "menu/small_icons.png", "ppc/menu/back.jpg", "ppc/menu/panel.png",
                                   "ppc/menu/selected.png", "ppc/menu/start.png", "ppc/menu/sel_start.png",
                                   "ppc/menu/texts.txt", "ppc/menu/texts.png", "sound/menu.mod"};
    for (const char* art : {"bxr", "rkv", "zpk", "tunnex", "irvx", "gold", "starwell", "river"})
        names.push_back("ppc/menu/" + std::string(art) + ".png");
    for (const char* picture : {"logo.png", "arrowUp.png", "arrowDown.png", "pause.png", "input_top.png",
                                "input_midd.png", "input_bot.png"}) {
        names.push_back(picture);
        names.push_back("ppc/" + std::string(picture));
    }
    for (const char* font : {"menu", "menusel", "hud0", "hud1", "num0", "num1", "small"})
        for (int part = 0; part < 3; ++part) {
            std::string base = "fonts/" + std::string(font) + "/font_" + std::to_string(part);
            names.push_back(base);
            names.push_back(base + ".png");
            names.push_back("ppc/" + base + ".png");
        }
    for (const std::string& name : names) EXPECT_TRUE(std::filesystem::exists(entry(name))) << name;
    EXPECT_TRUE(std::filesystem::exists(gameDat.parent_path() / "charset.dat"));
}

// Every entry in a folder of its own, LZMA without filters, pictures stored as they are.
TEST_F(GameDat, HoldsOnlyCopyAndLzmaFoldersWithPicturesStored) {
    ToolRun listing = runCommand("7zz l -slt '" + gameDat.string() + "'");
    ASSERT_EQ(listing.status, 0) << listing.output;
    std::istringstream lines(listing.output.substr(listing.output.find("----------")));
    std::string path;
    int pictures = 0, compressed = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("Path = ")) path = line.substr(7);
        if (!line.starts_with("Method = ") || line.size() == 9) continue;
        const std::string method = line.substr(9);
        if (path.ends_with(".png") || path.ends_with(".jpg")) {
            EXPECT_EQ(method, "Copy") << path;
            ++pictures;
        } else {
            EXPECT_TRUE(method.starts_with("LZMA:") && method.find(' ') == std::string::npos) << path << ": " << method;
            ++compressed;
        }
    }
    EXPECT_GT(pictures, 0);
    EXPECT_GT(compressed, 0);
}

// A cut of the data tree: in every folder, what other entries are made from (atlases,
// fonts, properties, frame lists, the character set) and the first two entries of every
// other kind, so every kind the tree uses; and a raw entry, which it does not use. No checks.
void sampleData(const std::filesystem::path& data) {
    const std::set<std::string> needed{"atlas", "font", "props", "props+", "keys", "anim", "charset"};
    std::filesystem::copy(std::filesystem::path(MOSSYARD_SOURCE_DIR) / "data", data,
                          std::filesystem::copy_options::recursive);
    for (const auto& folder : std::filesystem::directory_iterator(data)) {
        const std::filesystem::path manifest = folder.path() / "manifest.txt";
        if (!std::filesystem::exists(manifest)) continue;
        std::istringstream lines(readBytes(manifest));
        std::map<std::string, int> taken;
        std::string kept;
        for (std::string line; std::getline(lines, line);) {
            const std::string kind = line.substr(0, line.find_first_of(" \t"));
            const assets::Kind* known = assets::Kind::find(kind);
            if (!known || known->line == assets::Kind::Line::names) continue;
            if (!needed.count(kind) && ++taken[kind] > 2) continue;
            kept += line + "\n";
        }
        if (folder.path().filename() == "lib") kept += "raw sample/keys.txt keys.txt text\n";
        std::ofstream(manifest, std::ios::binary) << kept;
    }
}

// Built twice into different folders, the sample gives the same archive and character set
// to the byte.
TEST_F(GameDat, SameSourcesGiveTheSameBytes) {
    sampleData(folder->file("data"));
    ToolRun first = runBuilder(folder->file("data"), folder->file("one/game.dat"));
    ToolRun second = runBuilder(folder->file("data"), folder->file("two/game.dat"));
    ASSERT_EQ(first.status, 0) << first.output;
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(readBytes(folder->file("one/game.dat")), readBytes(folder->file("two/game.dat")));
    EXPECT_EQ(readBytes(folder->file("one/charset.dat")), readBytes(folder->file("two/charset.dat")));
}

}  // namespace
