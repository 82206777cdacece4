#include "mockscreens.h"
#include "atlas.h"
#include "core/builderror.h"
#include "jpegfile.h"
#include "pngfile.h"

namespace assets {

namespace {

void fill(Image& image, int x, int y, int w, int h, Colour colour) {
    for (int py = y; py < y + h; ++py)
        for (int px = x; px < x + w; ++px)
            if (image.contains(px, py)) image.at(px, py) = Pixel{colour, true};
}

void frame(Image& image, int x, int y, int w, int h, Colour colour) {
    fill(image, x, y, w, 1, colour);
    fill(image, x, y + h, w + 1, 1, colour);
    fill(image, x, y, 1, h, colour);
    fill(image, x + w, y, 1, h, colour);
}

// The game's menus darken their background picture by 160 (of 255).
Image darkened(const Image& image) {
    Image result = image;
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x) {
            Colour& c = result.at(x, y).colour;
            c = Colour{uint8_t(c.r * 95 >> 8), uint8_t(c.g * 95 >> 8), uint8_t(c.b * 95 >> 8)};
        }
    return result;
}

}  // namespace

Image MockScreens::picture(const std::string& name) const {
    const EntrySet::Entry* entry = entries.find(name);
    if (!entry) throw BuildError(name + " missing");
    std::string error;
    if (name.ends_with(".png")) return PngFile::toImage(PngFile::decode(entry->bytes, error));
    JpegFile::Contents jpeg = JpegFile::decode(entry->bytes, error);
    Image image(jpeg.width, jpeg.height);
    for (int i = 0; i < int(jpeg.pixels.size()); ++i)
        image.at(i % jpeg.width, i / jpeg.width) = Pixel{jpeg.pixels[size_t(i)], true};
    return image;
}

Image MockScreens::atlasPicture(const std::string& atlas, const std::string& name) const {
    Image sheet = picture(atlas + ".png");
    const EntrySet::Entry* text = entries.find(atlas + ".txt");
    if (!text) throw BuildError(atlas + ".txt missing");
    auto rects = Atlas::read(text->bytes, Place{atlas}, sheet.width(), sheet.height());
    auto found = rects.find(name);
    if (found == rects.end()) throw BuildError(name + " missing from " + atlas);
    return sheet.cropped(found->second.x, found->second.y, found->second.w, found->second.h);
}

int MockScreens::fontHeight(const std::string& font) const { return fonts.at(font).height; }

int MockScreens::textWidth(const std::string& font, const std::u32string& text) const {
    return fonts.at(font).stringWidth(text);
}

void MockScreens::text(Image& target, const std::string& font, const std::u32string& text, int x, int y,
                       int anchor) const {
    const FontMetrics& metrics = fonts.at(font);
    int width = metrics.stringWidth(text);
    if (anchor & 1) x -= width >> 1;
    if (anchor & 8) x -= width;
    if (anchor & 32) y -= metrics.height;
    for (char32_t ch : text) {
        if (metrics.upperCase) ch = upperCased(ch);
        if (ch == U' ') {
            x += metrics.parts[0].widths[0] + metrics.spacing;
            continue;
        }
        for (int part = 0; part < 3; ++part) {
            const FontMetrics::Part& p = metrics.parts[size_t(part)];
            size_t index = p.chars.find(ch);
            if (index == std::u32string::npos) continue;
            int offset = 0;
            for (size_t i = 0; i < index; ++i) offset += p.widths[i];
            Image strip = picture(font + "/font_" + std::to_string(part) + ".png");
            target.place(strip.cropped(offset, 0, p.widths[index], strip.height()), x, y);
            x += p.widths[index] + metrics.spacing;
            break;
        }
    }
}

std::vector<std::pair<std::string, Image>> MockScreens::all() const {
    std::vector<std::pair<std::string, Image>> screens;
    auto attempt = [&](const std::string& caption, auto make) {
        try {
            screens.emplace_back(caption, make());
        } catch (const BuildError&) {
        } catch (const std::out_of_range&) {
        }
    };
    attempt("start-up, small", [&] { return startUp(176, 220, ""); });
    attempt("start-up, large", [&] { return startUp(240, 320, "ppc/"); });
    attempt("shell, small", [&] { return smallShell(); });
    attempt("shell, large", [&] { return largeShell(); });
    attempt("menu page, small", [&] { return menuPage(); });
    attempt("name entry, small", [&] { return nameEntry(176, 220, ""); });
    attempt("name entry, large", [&] { return nameEntry(240, 320, "ppc/"); });
    return screens;
}

Image MockScreens::startUp(int width, int height, const std::string& prefix) const {
    Image screen(width, height);
    fill(screen, 0, 0, width, height, Colour{255, 255, 255});
    Image logo = picture(prefix + "logo.png");
    screen.place(logo, width / 2 - logo.width() / 2, (height - logo.height()) >> 1);
    int y = height - (height >> 3), x = (width - 108) >> 1;
    frame(screen, x, y, 108, 10, Colour{0, 0, 0});
    fill(screen, x + 2, y + 2, 60 * 104 / 100, 6, Colour{255, 0, 0});
    return screen;
}

Image MockScreens::smallShell() const {
    const int width = 176, height = 220;
    Image screen = picture("menu/small_back.jpg");
    const char* icons[] = {"bxm", "fdp", "swl", "tnx", "tanks", "gdr", "dtv", "rkv", "exit"};
    Image first = atlasPicture("menu/small_icons", "bxm.png");
    int cellW = first.width() + 10, cellH = first.height() - 2, h = fontHeight("fonts/hud1");
    for (int i = 0; i < 9; ++i) {
        int row = i / 3, column = i % 3;
        int cx = (width - 3 * cellW) / 2 + cellW / 2 + column * cellW;
        int cy = height - 2 * h - 6 - (cellH * height) / 208 + cellH / 2 - 2 * cellH + row * cellH;
        Image icon = atlasPicture("menu/small_icons", std::string(icons[i]) + (i == 3 ? "_s.png" : ".png"));
        screen.place(icon, cx - icon.width() / 2, cy - icon.height() / 2);
    }
    text(screen, "fonts/hud1", U"Tunnex", width / 2, height - (h + 2), 1);
    return screen;
}

Image MockScreens::largeShell() const {
    const int width = 240, height = 320;
    Image screen = picture("ppc/menu/back.jpg");
    Image panel = picture("ppc/menu/panel.png");
    int px = width - panel.width(), py = (height - panel.height()) / 2;
    screen.place(panel, px, py);
    screen.place(picture("ppc/menu/tunnex.png"), px + 6, py + 36);
    const char* titles[] = {"bxr-ball", "rockvale", "zipkin",   "tunnex", "real-irvx",
                            "gold",     "starwell", "banksway", "exit"};
    Image title = atlasPicture("ppc/menu/texts", "exit.png");
    for (int i = 0; i < 9; ++i) {
        int y = py + 36 + i * (title.height() + 1);
        bool selected = i == 3;
        if (selected) screen.place(picture("ppc/menu/selected.png"), px + 75, y - 1);
        screen.place(atlasPicture("ppc/menu/texts", (selected ? "sel_" : "") + std::string(titles[i]) + ".png"),
                     px + 76, y);
    }
    Image button = picture("ppc/menu/start.png");
    screen.place(button, 0, height - button.height());
    Image caption = atlasPicture("ppc/menu/texts", "start.png");
    screen.place(caption, (button.width() - caption.width()) / 2,
                 height - button.height() + (button.height() - caption.height()) / 2);
    return screen;
}

Image MockScreens::menuPage() const {
    const int width = 176, height = 220;
    Image screen = darkened(picture("menu/small_back.jpg"));
    const std::u32string items[] = {U"Start", U"High scores", U"Help", U"Sound: normal", U"Music: low", U"Exit"};
    int y = 25 + 2 + 4;
    for (int i = 0; i < 6; ++i, y += 18)
        text(screen, i == 1 ? "fonts/menusel" : "fonts/menu", items[i], width / 2, y, 1);
    Image up = picture("arrowUp.png"), down = picture("arrowDown.png");
    screen.place(up, width / 2 - up.width() / 2, 25 - 2 - up.height());
    screen.place(down, width / 2 - down.width() / 2, 25 + height - 40);
    text(screen, "fonts/hud0", U"Back", 0, height, 32);
    text(screen, "fonts/hud0", U"More", width, height, 32 | 8);
    return screen;
}

Image MockScreens::nameEntry(int width, int height, const std::string& prefix) const {
    Image screen = darkened(picture(prefix.empty() ? "menu/small_back.jpg" : "ppc/menu/back.jpg"));
    Image top = picture(prefix + "input_top.png"), middle = picture(prefix + "input_midd.png"),
          bottom = picture(prefix + "input_bot.png");
    int y0 = (height - top.height() - middle.height() - bottom.height()) / 2;
    screen.place(top, width / 2 - top.width() / 2, y0);
    screen.place(middle, width / 2 - middle.width() / 2, y0 + top.height());
    screen.place(bottom, width / 2 - bottom.width() / 2, y0 + top.height() + middle.height());
    const int keyW = 21, keyH = 19, columns = 6;
    int gx = (width - keyW * columns) >> 1, gy = y0 + top.height(), h = fontHeight("fonts/menu");
    std::u32string labels[30];
    std::u32string alphabet = U"abcdefghijklmnopqrstuvwxyz-_";
    for (int i = 0; i < 28; ++i) labels[i] = alphabet.substr(size_t(i), 1);
    labels[28] = U"ok";
    labels[29] = U"<-";
    for (int i = 0; i < 30; ++i) {
        int cx = gx + (i % columns) * keyW, cy = gy + (i / columns) * keyH;
        text(screen, i == 8 ? "fonts/menusel" : "fonts/menu", labels[i],
             cx + (keyW - textWidth("fonts/menu", labels[i])) / 2, cy + (keyH - h) / 2, 0);
        if (i == 8) frame(screen, cx, cy, keyW, keyH, Colour{0x55, 0x55, 0x55});
    }
    int textY = y0 + top.height() + middle.height() - h - 3;
    text(screen, "fonts/small", U"Enter your name", width / 2,
         y0 + top.height() + middle.height() - 2 * h - 4 - fontHeight("fonts/small"), 1);
    text(screen, "fonts/menu", U"mossi", gx + 5, textY, 0);
    return screen;
}

}  // namespace assets
