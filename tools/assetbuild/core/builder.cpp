#include "builder.h"
#include <algorithm>
#include "art/contactsheet.h"
#include "art/jpegfile.h"
#include "art/pixelgrid.h"
#include "art/pngfile.h"
#include "builderror.h"
#include "fonts/bitmapfont.h"
#include "levels/brickround.h"
#include "levels/laddermap.h"
#include "levels/mazemap.h"
#include "levels/riverscreens.h"
#include "levels/tankmap.h"
#include "levels/tunnellevels.h"
#include "packing/outputcheck.h"
#include "packing/packer.h"
#include "sound/modsong.h"
#include "sound/soundeffect.h"
#include "sourcetext.h"
#include "texts/helptext.h"
#include "texts/linefile.h"

namespace assets {

namespace {

// A source as text lines or read whole; its own faults are named by its place.
SourceText source(const ManifestItem& item) { return SourceText::load(item.source, item.sourceName); }
std::string sourceBytes(const ManifestItem& item) { return readFile(item.source, item.place); }
Place sourcePlace(const ManifestItem& item) { return Place{item.sourceName}; }

std::string large(const std::string& name) { return "ppc/" + name; }

// The names of a ';'-separated list, empty ones kept for the caller to refuse.
std::vector<std::string> splitList(const std::string& list) {
    std::vector<std::string> names;
    for (size_t start = 0, end; start <= list.size(); start = end + 1) {
        end = std::min(list.find(';', start), list.size());
        names.push_back(list.substr(start, end - start));
    }
    return names;
}

}  // namespace

Builder::Builder(Options options) : options(std::move(options)), drawer(this->options.fonts) {}

void Builder::run() {
    std::vector<std::filesystem::path> folders;
    for (const auto& child : std::filesystem::directory_iterator(options.data))
        if (child.is_directory() && std::filesystem::exists(child.path() / "manifest.txt"))
            folders.push_back(child.path());
    std::sort(folders.begin(), folders.end());
    if (folders.empty()) throw BuildError(options.data.string() + " holds no folder with a manifest.txt");
    std::string top = options.data.lexically_normal().filename().string();
    if (top.empty()) top = options.data.lexically_normal().parent_path().filename().string();

    std::vector<ManifestItem> items;
    for (const auto& folder : folders) {
        std::vector<ManifestItem> read = Manifest::read(folder, top + "/" + folder.filename().string());
        items.insert(items.end(), read.begin(), read.end());
    }
    take(items, Kind::Pass::make);
    mergeProperties();
    take(items, Kind::Pass::afterMaking);

    OutputCheck::all(entries);
    for (const ManifestItem& item : fontItems) OutputCheck::font(entries, item.entry, item.place);
    entries.checkNames();

    writeStage();
    std::vector<std::string> names;
    for (const auto& [name, entry] : entries.all()) names.push_back(name);
    Packer::pack(options.stage, names, options.archive);
    for (const auto& [name, bytes] : looseFiles) writeFile(options.archive.parent_path() / name, bytes);
    if (!options.sheet.empty()) ContactSheet(entries, fonts, options.fonts).write(options.sheet);
}

void Builder::take(const std::vector<ManifestItem>& items, Kind::Pass pass) {
    for (const ManifestItem& item : items)
        if (item.kind->pass == pass) (this->*item.kind->handle)(item);
}

void Builder::sound(const ManifestItem& item) {
    if (!item.entry.ends_with(".wav")) throw BuildError(item.place, "a sound entry ends in .wav");
    add(item, item.entry, SoundEffect(source(item)).wav(), EntrySet::Kind::sound);
}

void Builder::music(const ManifestItem& item) {
    if (!item.entry.ends_with(".mod")) throw BuildError(item.place, "a music entry ends in .mod");
    add(item, item.entry, ModSong(source(item)).bytes(), EntrySet::Kind::music);
}

void Builder::raw(const ManifestItem& item) {
    std::string file = sourceBytes(item);
    if (item.text) LineFile::checkLineEnds(file, sourcePlace(item));
    add(item, item.entry, std::move(file), EntrySet::Kind::raw);
}

// The level kinds: each level file is stored as its check passed it.
void Builder::round(const ManifestItem& item) {
    add(item, item.entry, BrickRound(sourceBytes(item), sourcePlace(item)).bytes(), EntrySet::Kind::raw);
}

// A maze's cell is as wide as the floor picture (floor=) that the game measures in the small
// atlas (atlas=) and in its large twin: the fit is checked with the pictures really packed.
void Builder::maze(const ManifestItem& item) {
    const std::string atlasName = item.option("atlas", ""), floor = item.option("floor", "");
    if (floor.empty()) throw BuildError(item.place, "maze needs floor=NAME, the floor picture that sets the cell size");
    auto cellSize = [&](const std::string& name) {
        auto atlas = atlases.find(name);
        if (atlas == atlases.end())
            throw BuildError(item.place, "maze needs atlas=NAME of an atlas made here, and ppc/NAME");
        auto found = atlas->second.find(floor);
        if (found == atlas->second.end()) throw BuildError(item.place, floor + " is not a picture of " + name);
        return found->second.w;
    };
    const MazeMap::Size size{item.intOption("width", MazeMap::gameWidth), item.intOption("height", MazeMap::gameHeight),
                             cellSize(atlasName), cellSize(large(atlasName))};
    add(item, item.entry, MazeMap(sourceBytes(item), size, sourcePlace(item)).bytes(), EntrySet::Kind::raw);
}

void Builder::tunnels(const ManifestItem& item) {
    add(item, item.entry, TunnelLevels(sourceBytes(item), sourcePlace(item)).bytes(), EntrySet::Kind::raw);
}

void Builder::tankMap(const ManifestItem& item) {
    add(item, item.entry, TankMap(source(item)).bytes(), EntrySet::Kind::raw);
}

void Builder::ladderMap(const ManifestItem& item) {
    add(item, item.entry, LadderMap(sourceBytes(item), sourcePlace(item)).bytes(), EntrySet::Kind::raw);
}

void Builder::add(const ManifestItem& item, const std::string& name, std::string bytes, EntrySet::Kind kind) {
    if (item.alsoLarge) entries.add(large(name), bytes, kind, item.place);
    entries.add(name, std::move(bytes), kind, item.place);
}

void Builder::picture(const ManifestItem& item) {
    SourceText text = source(item);
    Image image;
    if (item.source.extension() == ".grid") {
        image = PixelGrid::load(text);
    } else if (item.source.extension() == ".draw") {
        image = drawer.run(text);
    } else {
        throw BuildError(item.place, "a picture comes from a .grid or a .draw file");
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Pixel& pixel = image.at(x, y);
            if (pixel.opaque && pixel.colour.isKey())
                throw BuildError(text.place(0), "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                                    ") has the colour key 0xF81F and would show as a hole");
            if (!pixel.opaque && item.entry.ends_with(".jpg"))
                throw BuildError(text.place(0), "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                                    ") is transparent; a JPEG has no transparency");
        }
    std::string bytes;
    if (item.entry.ends_with(".png")) {
        bytes = PngFile::encode(image);
    } else if (item.entry.ends_with(".jpg")) {
        bytes = JpegFile::encode(image, item.intOption("quality", 90));
    } else {
        throw BuildError(item.place, "a picture entry ends in .png or .jpg");
    }
    add(item, item.entry, bytes, EntrySet::Kind::picture);
}

void Builder::font(const ManifestItem& item) {
    BitmapFont built(source(item), options.fonts);
    for (int part = 0; part < 3; ++part) {
        std::string base = item.entry + "/font_" + std::to_string(part);
        entries.add(base, built.metrics().encode(part), EntrySet::Kind::fontMetrics, item.place);
        // The strips are pictures, looked up under "ppc/" on large screens; the metrics are not.
        std::string strip = PngFile::encode(built.strip(part));
        entries.add(base + ".png", strip, EntrySet::Kind::picture, item.place);
        entries.add(large(base + ".png"), strip, EntrySet::Kind::picture, item.place);
    }
    fonts[item.entry] = built.metrics();
    fontItems.push_back(item);
}

void Builder::atlas(const ManifestItem& item) {
    Atlas built(source(item), drawer);
    add(item, item.entry + ".txt", built.text(), EntrySet::Kind::atlasText);
    add(item, item.entry + ".png", PngFile::encode(built.image()), EntrySet::Kind::picture);
    auto rects = Atlas::read(built.text(), item.place, built.image().width(), built.image().height());
    atlases[item.entry] = rects;
    if (item.alsoLarge) atlases[large(item.entry)] = rects;
}

void Builder::properties(const ManifestItem& item) {
    if (!item.entry.ends_with(".txt")) throw BuildError(item.place, "a properties entry ends in .txt");
    if (item.kind->name == "props+") {
        additions.push_back(item);
        return;
    }
    PropertiesFile file;
    file.integers = item.kind->name == "keys";
    file.entries = Properties::read(sourceBytes(item), sourcePlace(item), file.integers);
    file.origin = item.place;
    if (item.alsoLarge) throw BuildError(item.place, "properties are shared by both screen sizes");
    if (!propertyFiles.emplace(item.entry, file).second)
        throw BuildError(item.place, "entry " + item.entry + " is already made");
}

void Builder::mergeProperties() {
    for (const ManifestItem& item : additions) {
        auto found = propertyFiles.find(item.entry);
        if (found == propertyFiles.end())
            throw BuildError(item.place, "no properties file " + item.entry + " to add to");
        auto more = Properties::read(sourceBytes(item), sourcePlace(item), found->second.integers);
        found->second.entries.insert(found->second.entries.end(), more.begin(), more.end());
    }
    for (const auto& [name, file] : propertyFiles) {
        Properties::checkUnique(file.entries);
        entries.add(name, Properties::encode(file.entries),
                    file.integers ? EntrySet::Kind::keys : EntrySet::Kind::properties, file.origin);
    }
}

void Builder::charset(const ManifestItem& item) {
    SourceText text = source(item);
    std::string bytes;
    for (const SourceText::Line& line : text.lines()) {
        Place place = text.place(line.number);
        size_t dash = line.text.find('-');
        auto code = [&](const std::string& hex) {
            if (hex.size() != 4 || hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
                throw BuildError(place, "expected a range such as 0020-007E");
            return unsigned(std::stoul(hex, nullptr, 16));
        };
        unsigned first = code(line.text.substr(0, dash));
        unsigned last = dash == std::string::npos ? first : code(line.text.substr(dash + 1));
        if (last < first) throw BuildError(place, "the range runs backwards");
        for (unsigned ch = first; ch <= last; ++ch) {
            bytes += char(ch >> 8);
            bytes += char(ch & 0xFF);
        }
    }
    if (!looseFiles.emplace(item.entry, bytes).second) throw BuildError(item.place, item.entry + " is made twice");
}

void Builder::help(const ManifestItem& item) {
    if (!item.entry.ends_with("help.txt")) throw BuildError(item.place, "a help entry ends in help.txt");
    std::string fontName = item.option("font", "fonts/small");
    auto font = fonts.find(fontName);
    if (font == fonts.end()) throw BuildError(item.place, "the help text's font " + fontName + " is not made");
    HelpText text(sourceBytes(item), sourcePlace(item), font->second, item.intOption("pictures", -1));
    add(item, item.entry, text.encode(), EntrySet::Kind::help);
}

void Builder::animations(const ManifestItem& item) {
    std::string atlasName = item.option("atlas", "");
    auto atlas = atlases.find(atlasName);
    if (atlas == atlases.end()) throw BuildError(item.place, "anim needs atlas=NAME of an atlas made here");
    if (!item.entry.ends_with(".txt")) throw BuildError(item.place, "an animation list entry ends in .txt");
    auto lines = Properties::read(sourceBytes(item), sourcePlace(item), false);
    for (const Properties::Entry& line : lines)
        for (const std::string& frame : splitList(line.value)) {
            if (frame.empty()) throw BuildError(line.place, "empty frame name in " + line.key);
            if (!atlas->second.count(Atlas::baseName(frame)))
                throw BuildError(line.place, "frame " + frame + " is not a picture of " + atlasName);
        }
    add(item, item.entry, Properties::encode(lines), EntrySet::Kind::properties);
}

void Builder::need(const ManifestItem& item) {
    auto atlas = atlases.find(item.entry);
    if (atlas == atlases.end()) throw BuildError(item.place, "no atlas " + item.entry + " is made");
    for (const std::string& name : item.names)
        if (!atlas->second.count(Atlas::baseName(name)))
            throw BuildError(item.place, "the code draws " + name + ", which is not a picture of " + item.entry);
}

// The first picture sets the tile size: its width, a multiple of 4. Every picture listed is
// a square of that size.
void Builder::tiles(const ManifestItem& item) {
    auto atlas = atlases.find(item.entry);
    if (atlas == atlases.end()) throw BuildError(item.place, "no atlas " + item.entry + " is made");
    auto rect = [&](const std::string& name) {
        auto found = atlas->second.find(name);
        if (found == atlas->second.end()) throw BuildError(item.place, name + " is not a picture of " + item.entry);
        return found->second;
    };
    const int size = rect(item.names[0]).w;
    if (size < 4 || size % 4 != 0)
        throw BuildError(item.place, "the tile size " + std::to_string(size) + " of " + item.names[0] +
                                         " is not a multiple of 4");
    for (const std::string& name : item.names) {
        const Atlas::Rect r = rect(name);
        if (r.w != size || r.h != size)
            throw BuildError(item.place, name + " is " + std::to_string(r.w) + " x " + std::to_string(r.h) +
                                             ", not the tile size " + std::to_string(size) + " x " +
                                             std::to_string(size));
    }
}

void Builder::needKeys(const ManifestItem& item) {
    const EntrySet::Entry* file = entries.find(item.entry);
    if (!file) throw BuildError(item.place, "no properties file " + item.entry + " is made");
    auto lines = Properties::read(file->bytes, Place{item.entry}, false);
    for (const std::string& key : item.names)
        if (std::none_of(lines.begin(), lines.end(), [&](const Properties::Entry& e) { return e.key == key; }))
            throw BuildError(item.place, "the code looks up \"" + key + "\", which " + item.entry + " does not give");
}

// The river shooter's screens. Their proof needs the sizes of the plane (plane=) and of the
// object kinds from kind 0 (kinds=), each a picture of atlas= (a name ending in .png) or the
// first frame of a list in the frame lists frames=, and the land tiles (the list land=).
void Builder::riverScreens(const ManifestItem& item) {
    auto atlas = atlases.find(item.option("atlas", ""));
    if (atlas == atlases.end()) throw BuildError(item.place, "screens needs atlas=NAME of an atlas made here");
    const std::string framesName = item.option("frames", "");
    const EntrySet::Entry* frames = entries.find(framesName);
    if (!frames) throw BuildError(item.place, "screens needs frames=ENTRY, the frame lists made here");
    auto required = [&](const std::string& key, const std::string& what) {
        const std::string value = item.option(key, "");
        if (value.empty()) throw BuildError(item.place, "screens needs " + key + "=" + what);
        return value;
    };
    const std::string landName = required("land", "LIST, the land tiles' list in " + framesName);
    const std::string planeName = required("plane", "NAME, the plane's picture or frame list");
    const std::vector<std::string> kindNames =
        splitList(required("kinds", "NAME;NAME;..., the object kinds' pictures or frame lists from kind 0"));
    std::map<std::string, std::string> lists;
    for (const Properties::Entry& line : Properties::read(frames->bytes, Place{framesName}, false))
        lists[line.key] = line.value;
    auto size = [&](const std::string& name) {
        std::string picture = name;
        if (!name.ends_with(".png")) {
            auto list = lists.find(name);
            if (list == lists.end()) throw BuildError(item.place, framesName + " has no list " + name);
            picture = splitList(list->second)[0];
        }
        auto found = atlas->second.find(Atlas::baseName(picture));
        if (found == atlas->second.end()) throw BuildError(item.place, picture + " is not a picture of the atlas");
        return RiverScreens::Size{found->second.w, found->second.h};
    };
    RiverScreens::Rules rules;
    auto land = lists.find(landName);
    if (land == lists.end() || land->second.empty())
        throw BuildError(item.place, framesName + " has no list " + landName);
    rules.landTiles = int(splitList(land->second).size());
    rules.plane = size(planeName);
    if (int(kindNames.size()) > RiverScreens::highestKind + 1)
        throw BuildError(item.place, "kinds= names " + std::to_string(kindNames.size()) + " kinds, more than the " +
                                         std::to_string(RiverScreens::highestKind + 1) + " there are");
    for (int kind = 0; kind < int(kindNames.size()); ++kind) {
        if (kindNames[kind].empty())
            throw BuildError(item.place, "kinds= gives kind " + std::to_string(kind) + " no name");
        rules.kinds[kind] = size(kindNames[kind]);
    }
    add(item, item.entry, RiverScreens(source(item), rules).bytes(), EntrySet::Kind::raw);
}

void Builder::writeStage() const {
    std::filesystem::remove_all(options.stage);
    for (const auto& [name, entry] : entries.all()) writeFile(options.stage / name, entry.bytes);
}

}  // namespace assets
