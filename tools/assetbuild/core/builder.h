// Builds game.dat from the data tree: every folder's manifest is read, its entries made and
// checked, and the archive packed. Loose files (the device font's character list) are
// written beside the archive.
#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>
#include "art/atlas.h"
#include "art/drawscript.h"
#include "packing/entryset.h"
#include "fonts/fontmetrics.h"
#include "kinds.h"
#include "manifest.h"
#include "texts/properties.h"

namespace assets {

class Builder {
public:
    struct Options {
        std::filesystem::path data;
        std::filesystem::path archive;
        std::filesystem::path stage;
        std::filesystem::path fonts;
        std::filesystem::path sheet;  // empty: none
    };

    explicit Builder(Options options);
    void run();

private:
    friend struct Kind;  // its rows name the handlers

    // The kinds' handlers (see kinds.cpp).
    void picture(const ManifestItem& item);
    void atlas(const ManifestItem& item);
    void font(const ManifestItem& item);
    void properties(const ManifestItem& item);
    void sound(const ManifestItem& item);
    void music(const ManifestItem& item);
    void raw(const ManifestItem& item);
    void round(const ManifestItem& item);
    void maze(const ManifestItem& item);
    void tunnels(const ManifestItem& item);
    void tankMap(const ManifestItem& item);
    void ladderMap(const ManifestItem& item);
    void charset(const ManifestItem& item);
    void help(const ManifestItem& item);
    void animations(const ManifestItem& item);
    void riverScreens(const ManifestItem& item);
    void need(const ManifestItem& item);
    void needKeys(const ManifestItem& item);
    void tiles(const ManifestItem& item);

    void take(const std::vector<ManifestItem>& items, Kind::Pass pass);
    void mergeProperties();
    void add(const ManifestItem& item, const std::string& name, std::string bytes, EntrySet::Kind kind);
    void writeStage() const;

    struct PropertiesFile {
        std::vector<Properties::Entry> entries;
        bool integers = false;
        Place origin;
    };

    Options options;
    DrawScript drawer;
    EntrySet entries;
    std::map<std::string, FontMetrics> fonts;
    std::map<std::string, std::map<std::string, Atlas::Rect>> atlases;
    std::map<std::string, PropertiesFile> propertyFiles;
    std::vector<ManifestItem> additions;
    std::map<std::string, std::string> looseFiles;
    std::vector<ManifestItem> fontItems;
};

}  // namespace assets
