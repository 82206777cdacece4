#include "drawscript.h"
#include <cmath>
#include <numbers>
#include "core/builderror.h"
#include "inkstyle.h"
#include "painter.h"
#include "pixelgrid.h"
#include "texts/utf8.h"

namespace assets {

namespace {

double number(const std::string& word, const Place& place) {
    try {
        size_t used = 0;
        double value = std::stod(word, &used);
        if (used == word.size()) return value;
    } catch (const std::exception&) {
    }
    throw BuildError(place, "\"" + word + "\" is not a number");
}

void expect(const std::vector<std::string>& words, size_t count, const Place& place) {
    if (words.size() != count)
        throw BuildError(place, "\"" + words[0] + "\" takes " + std::to_string(count - 1) + " values");
}

bool insideRound(double px, double py, double x, double y, double w, double h, double r) {
    if (px < x || py < y || px > x + w || py > y + h) return false;
    double cx = std::clamp(px, x + r, x + w - r), cy = std::clamp(py, y + r, y + h - r);
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
}

bool insideEllipse(double px, double py, double cx, double cy, double rx, double ry) {
    double dx = (px - cx) / rx, dy = (py - cy) / ry;
    return dx * dx + dy * dy <= 1;
}

bool insidePolygon(double px, double py, const std::vector<double>& points) {
    bool inside = false;
    size_t n = points.size() / 2;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        double xi = points[2 * i], yi = points[2 * i + 1], xj = points[2 * j], yj = points[2 * j + 1];
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

double segmentDistance(double px, double py, double x1, double y1, double x2, double y2) {
    double dx = x2 - x1, dy = y2 - y1, length = dx * dx + dy * dy;
    double t = length > 0 ? std::clamp(((px - x1) * dx + (py - y1) * dy) / length, 0.0, 1.0) : 0.0;
    double ex = x1 + t * dx - px, ey = y1 + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}

// Scatters stars: mostly single dim points, a few bright crosses.
void stars(Image& image, unsigned seed, int count, double x, double y, double w, double h, Colour colour) {
    uint32_t state = seed * 2654435761u + 1;
    auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1 << 24);
    };
    for (int i = 0; i < count; ++i) {
        int sx = int(x + next() * w), sy = int(y + next() * h);
        double brightness = 0.35 + 0.65 * next();
        image.cover(sx, sy, colour, brightness);
        if (brightness > 0.92) {
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                image.cover(sx + dx, sy + dy, colour, 0.45);
        }
    }
}

}  // namespace

SourceText openBeside(const SourceText& from, const std::string& relative) {
    std::filesystem::path shown = std::filesystem::path(from.name()).parent_path() / relative;
    return SourceText::load(from.path().parent_path() / relative, shown.lexically_normal().string());
}

Image DrawScript::run(const SourceText& script) {
    const auto& lines = script.lines();
    if (lines.empty()) throw BuildError(script.place(0), "empty drawing");
    std::vector<std::string> first = tokenize(lines.front().text, script.place(lines.front().number));
    Place place = script.place(lines.front().number);
    if (first.empty() || first[0] != "size") throw BuildError(place, "a drawing starts with \"size W H\"");
    expect(first, 3, place);
    int w = int(number(first[1], place)), h = int(number(first[2], place));
    if (w < 1 || h < 1 || w > 4096 || h > 4096) throw BuildError(place, "size out of range");
    Image image(w, h);
    runOn(image, script, Origin{}, 0);
    return image;
}

void DrawScript::runOn(Image& image, const SourceText& script, Origin origin, int depth) {
    if (depth > 8) throw BuildError(script.place(0), "drawings include each other too deeply");
    bool first = true;
    for (const SourceText::Line& line : script.lines()) {
        Place place = script.place(line.number);
        std::vector<std::string> words = tokenize(line.text, place);
        if (words[0] == "size") {
            if (!first || depth > 0) throw BuildError(place, "\"size\" belongs on the first line of a drawing");
        } else {
            command(image, words, script, line.number, origin, depth);
        }
        first = false;
    }
}

void DrawScript::command(Image& image, const std::vector<std::string>& words, const SourceText& script, int line,
                         Origin origin, int depth) {
    Place place = script.place(line);
    const std::string& name = words[0];
    auto x = [&](size_t i) { return number(words[i], place) + origin.x; };
    auto y = [&](size_t i) { return number(words[i], place) + origin.y; };
    auto n = [&](size_t i) { return number(words[i], place); };
    auto paint = [&](size_t i) { return Paint::parse(words[i], place); };
    Painter painter(image);

    if (name == "fill") {
        expect(words, 2, place);
        if (words[1] == "transparent") {
            for (int py = 0; py < image.height(); ++py)
                for (int px = 0; px < image.width(); ++px) image.at(px, py) = Pixel{};
            return;
        }
        Box box{0, 0, double(image.width()), double(image.height())};
        Paint p = paint(1);
        for (int py = 0; py < image.height(); ++py)
            for (int px = 0; px < image.width(); ++px) image.at(px, py) = Pixel{p.at(px + 0.5, py + 0.5, box), true};
    } else if (name == "rect") {
        expect(words, 6, place);
        Box box{x(1), y(2), n(3), n(4)};
        painter.fill(box, paint(5), [box](double px, double py) {
            return px >= box.x && py >= box.y && px < box.x + box.w && py < box.y + box.h;
        });
    } else if (name == "round") {
        expect(words, 7, place);
        Box box{x(1), y(2), n(3), n(4)};
        double r = n(5);
        painter.fill(box, paint(6),
                     [box, r](double px, double py) { return insideRound(px, py, box.x, box.y, box.w, box.h, r); });
    } else if (name == "frame" || name == "roundframe") {
        bool rounded = name == "roundframe";
        expect(words, rounded ? 8 : 7, place);
        Box box{x(1), y(2), n(3), n(4)};
        double r = rounded ? n(5) : 0, t = n(rounded ? 6 : 5);
        painter.fill(box, paint(rounded ? 7 : 6), [box, r, t](double px, double py) {
            return insideRound(px, py, box.x, box.y, box.w, box.h, r) &&
                   !insideRound(px, py, box.x + t, box.y + t, box.w - 2 * t, box.h - 2 * t, std::max(0.0, r - t));
        });
    } else if (name == "ellipse") {
        expect(words, 6, place);
        double cx = x(1), cy = y(2), rx = n(3), ry = n(4);
        painter.fill(Box{cx - rx, cy - ry, 2 * rx, 2 * ry}, paint(5),
                     [=](double px, double py) { return insideEllipse(px, py, cx, cy, rx, ry); });
    } else if (name == "ring") {
        expect(words, 7, place);
        double cx = x(1), cy = y(2), rx = n(3), ry = n(4), t = n(5);
        painter.fill(Box{cx - rx, cy - ry, 2 * rx, 2 * ry}, paint(6), [=](double px, double py) {
            return insideEllipse(px, py, cx, cy, rx, ry) && !insideEllipse(px, py, cx, cy, rx - t, ry - t);
        });
    } else if (name == "poly") {
        if (words.size() < 8 || words.size() % 2 != 0)
            throw BuildError(place, "\"poly\" takes a paint and three or more points");
        std::vector<double> points;
        for (size_t i = 2; i < words.size(); i += 2) {
            points.push_back(x(i));
            points.push_back(y(i + 1));
        }
        Box box{points[0], points[1], 0, 0};
        double right = box.x, bottom = box.y;
        for (size_t i = 0; i < points.size(); i += 2) {
            box.x = std::min(box.x, points[i]);
            box.y = std::min(box.y, points[i + 1]);
            right = std::max(right, points[i]);
            bottom = std::max(bottom, points[i + 1]);
        }
        box.w = right - box.x;
        box.h = bottom - box.y;
        painter.fill(box, paint(1), [points](double px, double py) { return insidePolygon(px, py, points); });
    } else if (name == "line") {
        expect(words, 7, place);
        double x1 = x(1), y1 = y(2), x2 = x(3), y2 = y(4), half = n(5) / 2;
        Box box{std::min(x1, x2) - half, std::min(y1, y2) - half, std::abs(x2 - x1) + 2 * half,
                std::abs(y2 - y1) + 2 * half};
        painter.fill(box, paint(6),
                     [=](double px, double py) { return segmentDistance(px, py, x1, y1, x2, y2) <= half; });
    } else if (name == "wave") {
        expect(words, 9, place);
        Box box{x(1), y(2), n(3), n(4)};
        double amplitude = n(5), period = n(6), phase = n(7) * std::numbers::pi / 180;
        painter.fill(box, paint(8), [=](double px, double py) {
            double crest =
                box.y + amplitude * (0.5 + 0.5 * std::sin(2 * std::numbers::pi * (px - box.x) / period + phase));
            return px >= box.x && px < box.x + box.w && py >= crest && py < box.y + box.h;
        });
    } else if (name == "stars") {
        expect(words, 8, place);
        stars(image, unsigned(n(1)), int(n(2)), x(3), y(4), n(5), n(6), Colour::parse(words[7], place));
    } else if (name == "grid") {
        if (words.size() != 4 && words.size() != 5) throw BuildError(place, "\"grid\" takes X Y FILE [SCALE]");
        Image art = PixelGrid::load(openBeside(script, words[3]));
        int scale = words.size() == 5 ? int(n(4)) : 1;
        if (scale < 1 || scale > 16) throw BuildError(place, "scale out of range");
        image.place(art.scaled(scale), int(std::lround(x(1))), int(std::lround(y(2))));
    } else if (name == "use") {
        if (words.size() < 4) throw BuildError(place, "\"use\" takes FILE X Y and name=value pairs");
        std::map<std::string, std::string> values;
        for (size_t i = 4; i < words.size(); ++i) {
            size_t equals = words[i].find('=');
            if (equals == std::string::npos) throw BuildError(place, "\"" + words[i] + "\" is not name=value");
            values[words[i].substr(0, equals)] = words[i].substr(equals + 1);
        }
        SourceText part = openBeside(script, words[1]).substituted(values);
        runOn(image, part, Origin{x(2), y(3)}, depth + 1);
    } else if (name == "text") {
        text(image, words, place, origin);
    } else {
        throw BuildError(place, "unknown drawing command \"" + name + "\"");
    }
}

void DrawScript::text(Image& image, const std::vector<std::string>& words, const Place& place, Origin origin) {
    if (words.size() < 8) throw BuildError(place, "\"text\" takes X Y ANCHOR FACE SIZE PAINT [options] \"TEXT\"");
    InkStyle style;
    style.fill = Paint::parse(words[6], place);
    for (size_t i = 7; i + 1 < words.size(); ++i) {
        size_t equals = words[i].find('=');
        std::string key = words[i].substr(0, equals),
                    value = equals == std::string::npos ? "" : words[i].substr(equals + 1);
        if (key == "outline") {
            style.outline = Colour::parse(value, place);
        } else if (key == "shadow") {
            style.shadow = Colour::parse(value, place);
        } else {
            throw BuildError(place, "unknown lettering option \"" + words[i] + "\"");
        }
    }
    const std::string& anchor = words[3];
    if (anchor.size() != 2 || std::string("tcb").find(anchor[0]) == std::string::npos ||
        std::string("lcr").find(anchor[1]) == std::string::npos)
        throw BuildError(place, "anchor \"" + anchor + "\" is not t/c/b followed by l/c/r");
    int pad = style.margin();
    FontFace::Ink ink =
        face(words[4], int(number(words[5], place)), place).ink(decodeUtf8(words.back(), place), pad, place);
    double ax = number(words[1], place) + origin.x, ay = number(words[2], place) + origin.y;
    double w = ink.mask.width(), h = ink.mask.height();
    double left = anchor[1] == 'l' ? ax : anchor[1] == 'c' ? ax - w / 2 : ax - w;
    double top = anchor[0] == 't' ? ay : anchor[0] == 'c' ? ay - h / 2 : ay - h;
    int ix = int(std::lround(left)), iy = int(std::lround(top));
    style.apply(image, ink.mask, ix, iy, Box{double(ix + pad), double(iy + pad), w - 2 * pad, h - 2 * pad});
}

const FontFace& DrawScript::face(const std::string& name, int size, const Place& place) {
    auto key = std::make_pair(name, size);
    auto found = faces.find(key);
    if (found == faces.end()) found = faces.emplace(key, std::make_unique<FontFace>(fonts, name, size, place)).first;
    return *found->second;
}

}  // namespace assets
