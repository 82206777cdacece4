#include <functional>
#include <string>
#include <vector>
#include "archive_fixture.h"
#include "d7zipinputstream.h"
#include "ddamageddataexception.h"
#include "dexception.h"
#include "dgraphics.h"
#include "dimage.h"
#include "dioexception.h"
#include "idle_midlet.h"
#include "image_makers.h"
#include "pixelbudget.h"
#include "platform.h"
#include "rendersurface.h"

using dfc::io::DDamagedDataExceptionPtr;
using dfc::io::DIOExceptionPtr;
using dfc::lang::DArrayIndexOutOfBoundsExceptionPtr;
using dfc::lang::DIllegalArgumentExceptionPtr;
using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DNullPointerExceptionPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;
using Rows = std::vector<std::vector<uint16_t>>;

namespace {

constexpr uint16_t red = 0xF800, green = 0x07E0, blue = 0x001F;

// Six different pixels in two columns and three rows: a b / c d / e f.
const Rows sixPixels = {{0x0001, 0x0002}, {0x0040, 0x0080}, {0x0800, 0x1000}};
constexpr uint16_t a = 0x0001, b = 0x0002, c = 0x0040, d = 0x0080, e = 0x0800, f = 0x1000;

class Images : public ArchiveTest {
protected:
    void SetUp() override {
        ArchiveTest::SetUp();
        application = new IdleMidlet();
    }
    void TearDown() override {
        application = nullptr;
        ArchiveTest::TearDown();
    }

    // A PNG file of the rows, as bytes.
    std::string png(const Rows& rows) {
        platform::Picture picture{int(rows[0].size()), int(rows.size()), {}};
        for (const auto& row : rows) picture.pixels.insert(picture.pixels.end(), row.begin(), row.end());
        EXPECT_TRUE(platform::savePng(picture, folder.file("made.png")));
        return folder.read("made.png");
    }
    std::string png(uint16_t colour) { return png(Rows{{colour}}); }
    void openArchive(const Files& files) {
        pack("game.dat", files);
        dfc::io::D7zipInputStream::openArchive(u"game.dat", u"");
    }

    static Rows rowsOf(const DImagePtr& image) {
        Rows rows(size_t(image->getHeight()), std::vector<uint16_t>(size_t(image->getWidth())));
        for (int y = 0; y < image->getHeight(); ++y)
            for (int x = 0; x < image->getWidth(); ++x) rows[y][x] = image->getSurface()->getPixel(x, y);
        return rows;
    }
    static std::vector<uint32_t> argbOf(const DImagePtr& image) {
        int n = image->getWidth() * image->getHeight();
        DintArrayPtr out = new DintArray(n);
        image->getRGB(out, 0, image->getWidth(), 0, 0, image->getWidth(), image->getHeight());
        return std::vector<uint32_t>(out->data, out->data + n);
    }

    dfc::lang::DObjectPtr application;
    IdleMidlet& midlet() const { return *static_cast<IdleMidlet*>(application.get()); }
};

}  // namespace

TEST_F(Images, LooseFileComesBeforeTheArchiveEntry) {
    openArchive({{"pics/ball.png", png(blue)}});
    folder.write("pics/ball.png", png(red));
    DImagePtr loose = DImage::createImage(u"/pics/ball.png");
    EXPECT_EQ(rowsOf(loose), (Rows{{red}}));
    EXPECT_EQ(loose->getSurface()->getColourKey(), 0xF81F);

    std::remove(folder.file("pics/ball.png").c_str());
    EXPECT_EQ(rowsOf(DImage::createImage(u"/pics/ball.png")), (Rows{{blue}}));
}

TEST_F(Images, ArchiveEntriesLieUnderTheImagePath) {
    openArchive({{"logo.png", png(red)}, {"ppc/logo.png", png(green)}});
    EXPECT_EQ(rowsOf(DImage::createImage(u"/logo.png")), (Rows{{red}})) << "no image folder";
    midlet().properties[u"image.path"] = u"";
    EXPECT_EQ(rowsOf(DImage::createImage(u"/logo.png")), (Rows{{red}}));
    midlet().properties[u"image.path"] = u"/ppc";
    EXPECT_EQ(rowsOf(DImage::createImage(u"/logo.png")), (Rows{{green}}));
}

TEST_F(Images, NamesThatGiveNoPictureThrow) {
    std::string picture = png(sixPixels);
    openArchive({{"text.png", "not a picture"}, {"cut.png", picture.substr(0, picture.size() / 2)}});
    EXPECT_THROW(DImage::createImage(u"/missing.png"), DIOExceptionPtr);
    EXPECT_THROW(DImage::createImage(u"/text.png"), DIOExceptionPtr);
    EXPECT_THROW(DImage::createImage(u"/cut.png"), DIOExceptionPtr);
    EXPECT_THROW(DImage::createImage(DStringPtr()), DNullPointerExceptionPtr);
}

// The exception's message is the one line a user reads: the entry as the archive lists it, under
// the image folder, and what is wrong with it; a missing entry names the archive by its path.
TEST_F(Images, APictureThatCannotBeReadIsNamedByItsEntry) {
    std::vector<uint8_t> large(encodePng({1, 1, PNG_COLOR_TYPE_GRAY, 8, false, {{0}}, {}, {}}));
    declarePngSize(large, 4097, 4096);
    std::vector<uint8_t> wide = encodeJpeg(8, 8, 1, std::vector<uint8_t>(64, 0));
    declareJpegSize(wide, 65000, 300);
    std::vector<uint8_t> budget(large);
    declarePngSize(budget, 4096, 4096);
    std::vector<uint8_t> limit(large);
    declarePngSize(limit, 1024, 1024);
    openArchive({{"ppc/text.png", "not a picture"},
                 {"ppc/large.png", std::string(large.begin(), large.end())},
                 {"ppc/wide.jpg", std::string(wide.begin(), wide.end())},
                 {"ppc/budget.png", std::string(budget.begin(), budget.end())},
                 {"ppc/limit.png", std::string(limit.begin(), limit.end())}});
    midlet().properties[u"image.path"] = u"/ppc";
    const std::string damaged = "it is no PNG or JPEG picture that decodes";
    const std::string pastBudget =
        " pixels would pass the " + std::to_string(PixelBudget::limit) + " pixels that pictures may hold at once";
    const struct {
        const char16_t* name;
        std::string message;
    } cases[] = {
        {u"/text.png", "the picture ppc/text.png is damaged: " + damaged},
        {u"/missing.png", "cannot open the picture /missing.png: the data archive " + folder.file("game.dat") +
                              " has no readable entry ppc/missing.png and there is no such file beside the program"},
        {u"/large.png",
         "the picture ppc/large.png is too large: 4097 x 4096 pixels, more than the 16777216 a picture may have"},
        {u"/wide.jpg",
         "the picture ppc/wide.jpg is too large: 65000 x 300 pixels, more than the 16777216 a picture may have"},
        {u"/budget.png", "the picture ppc/budget.png is too large: 4096 x 4096" + pastBudget},
        // Within the limit, but with no pixel data behind its size.
        {u"/limit.png", "the picture ppc/limit.png is damaged: " + damaged},
    };
    for (const auto& c : cases) {
        try {
            DImage::createImage(c.name);
            ADD_FAILURE() << c.message;
        } catch (DDamagedDataExceptionPtr& e) {
            EXPECT_EQ(platform::narrow(e->getMessage()->chars()), c.message);
        }
    }
    dfc::io::D7zipInputStream::closeArchive();
    try {
        DImage::createImage(u"/text.png");
        ADD_FAILURE() << "read with no archive open";
    } catch (DDamagedDataExceptionPtr& e) {
        EXPECT_EQ(platform::narrow(e->getMessage()->chars()),
                  "cannot open the picture /text.png: no data archive is open to hold ppc/text.png and there is no "
                  "such file beside the program");
    }
}

// Pictures each of an allowed size, read or made, are refused in a line that names them once
// those held leave too little room; what a picture held is free again once it goes.
TEST_F(Images, PicturesHeldAtOnceStayWithinTheBudget) {
    openArchive({{"six.png", png(sixPixels)}});
    const std::string pastBudget =
        " pixels would pass the " + std::to_string(PixelBudget::limit) + " pixels that pictures may hold at once";
    // Room left for five pixels.
    const int width = 1024, room = int(PixelBudget::room()), restWidth = width + room % width - 5;
    DImagePtr most = DImage::createImage(width, room / width - 1);
    DImagePtr rest = DImage::createImage(restWidth, 1);
    const struct {
        std::function<DImagePtr()> make;
        std::string message;
    } cases[] = {
        {[] { return DImage::createImage(u"/six.png"); }, "the picture six.png is too large: 2 x 3" + pastBudget},
        {[] { return DImage::createImage(3, 2); }, "a picture of 3 x 2" + pastBudget},
        {[&rest] { return DImage::createImage(rest, DImage::TRANS_MIRROR); },
         "a picture of " + std::to_string(restWidth) + " x 1" + pastBudget},
    };
    for (const auto& c : cases) {
        try {
            c.make();
            ADD_FAILURE() << c.message;
        } catch (DDamagedDataExceptionPtr& e) {
            EXPECT_EQ(platform::narrow(e->getMessage()->chars()), c.message);
        }
    }
    EXPECT_TRUE(DImage::createImage(5, 1));
    most = nullptr;
    for (const auto& c : cases) EXPECT_TRUE(c.make()) << c.message;
}

TEST_F(Images, TransformsMirrorAndTurnTheSixPixels) {
    openArchive({{"six.png", png(sixPixels)}});
    DImagePtr source = DImage::createImage(u"/six.png");
    ASSERT_EQ(rowsOf(source), sixPixels);
    struct Case {
        int transform;
        Rows rows;
    };
    const Case cases[] = {
        {0, {{a, b}, {c, d}, {e, f}}},
        {2, {{b, a}, {d, c}, {f, e}}},  // mirrored
        {3, {{f, e}, {d, c}, {b, a}}},  // half a turn
        {5, {{e, c, a}, {f, d, b}}},    // a quarter turn clockwise
        {6, {{b, d, f}, {a, c, e}}},    // a quarter turn counter-clockwise
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.transform);
        DImagePtr copy = DImage::createImage(source, t.transform);
        EXPECT_EQ(rowsOf(copy), t.rows);
        EXPECT_EQ(copy->getSurface()->getColourKey(), 0xF81F);
        EXPECT_EQ(rowsOf(DImage::createImage(DStringPtr(u"/six.png"), t.transform)), t.rows);
    }
    EXPECT_EQ(rowsOf(source), sixPixels) << "the source stays as it was";
    for (int unsupported : {1, 4, 7, 8, -1}) {
        EXPECT_THROW(DImage::createImage(source, unsupported), DIllegalArgumentExceptionPtr);
        EXPECT_THROW(DImage::createImage(DStringPtr(u"/six.png"), unsupported), DIllegalArgumentExceptionPtr);
    }
    EXPECT_THROW(DImage::createImage(DImagePtr(), 0), DNullPointerExceptionPtr);
}

TEST_F(Images, RgbDataRoundTripsThroughTheColourKey) {
    DintArrayPtr argb = new DintArray(6, int(0x80FF0000), int(0xFFFF0000), int(0xFFFF00FF), int(0xFFFFFFFF),
                                      int(0x00000000), int(0xFF0000FF));
    DImagePtr keyed = DImage::createRGBImage(argb, 3, 2, true);
    EXPECT_EQ(rowsOf(keyed), (Rows{{0xF81F, red, 0xF81F}, {0xFFFF, 0xF81F, blue}}));
    EXPECT_EQ(argbOf(keyed), (std::vector<uint32_t>{0, 0xFFF80000, 0, 0xFFF8FCF8, 0, 0xFF0000F8}));

    DImagePtr opaque = DImage::createRGBImage(argb, 3, 2, false);
    EXPECT_EQ(argbOf(opaque), (std::vector<uint32_t>{0xFFF80000, 0xFFF80000, 0, 0xFFF8FCF8, 0xFF000000, 0xFF0000F8}));

    EXPECT_THROW(DImage::createRGBImage(nullptr, 1, 1, false), DNullPointerExceptionPtr);
    EXPECT_THROW(DImage::createRGBImage(argb, 0, 2, false), DIllegalArgumentExceptionPtr);
    EXPECT_THROW(DImage::createRGBImage(argb, 3, 0, false), DIllegalArgumentExceptionPtr);
    EXPECT_THROW(DImage::createRGBImage(argb, 4, 2, false), DArrayIndexOutOfBoundsExceptionPtr);
}

TEST_F(Images, BlankImagesAreWhiteAndTakeDrawing) {
    DImagePtr blank = DImage::createImage(3, 2);
    EXPECT_EQ(argbOf(blank), std::vector<uint32_t>(6, 0xFFF8FCF8));
    EXPECT_EQ(blank->getSurface()->getColourKey(), 0xF81F);
    auto g = blank->getGraphics();
    g->setColor(0xFF0000);
    g->fillRect(1, 0, 0, 0);
    EXPECT_EQ(rowsOf(blank), (Rows{{0xFFFF, red, 0xFFFF}, {0xFFFF, 0xFFFF, 0xFFFF}}));
    EXPECT_THROW(DImage::createImage(0, 2), DIllegalArgumentExceptionPtr);
    EXPECT_THROW(DImage::createImage(2, -1), DIllegalArgumentExceptionPtr);
}

TEST_F(Images, GetRgbPlacesRowsByScanLengthAndChecksItsRanges) {
    DImagePtr blank = DImage::createImage(3, 2);
    DintArrayPtr out = new DintArray(10);
    blank->getRGB(out, 1, 4, 1, 0, 2, 2);
    EXPECT_EQ(
        std::vector<int32_t>(out->data, out->data + 10),
        (std::vector<int32_t>{0, int(0xFFF8FCF8), int(0xFFF8FCF8), 0, 0, int(0xFFF8FCF8), int(0xFFF8FCF8), 0, 0, 0}));
    EXPECT_THROW(blank->getRGB(out, 0, 3, -1, 0, 1, 1), DIllegalArgumentExceptionPtr);
    EXPECT_THROW(blank->getRGB(out, 0, 3, 0, -1, 1, 1), DIllegalArgumentExceptionPtr);
    EXPECT_THROW(blank->getRGB(out, 0, 3, 1, 0, 3, 1), DIllegalArgumentExceptionPtr);
    EXPECT_THROW(blank->getRGB(out, 0, 3, 0, 1, 1, 2), DIllegalArgumentExceptionPtr);
    EXPECT_THROW(blank->getRGB(new DintArray(5), 0, 3, 0, 0, 3, 2), DArrayIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(blank->getRGB(out, 0, 0x40000000, 0, 0, 3, 2), DArrayIndexOutOfBoundsExceptionPtr);
}
