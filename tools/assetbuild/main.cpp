// assetbuild: makes game.dat from the data tree.
//   assetbuild build DATA_DIR ARCHIVE [--stage DIR] [--sheet PNG] [--fonts DIR]
//   assetbuild check ARCHIVE        refuses an archive the game could not read (its coders)
//   assetbuild penned MAP...        lists the ladder maps' penned guards, a line each
#include <cstring>
#include <iostream>
#include "core/builder.h"
#include "core/builderror.h"
#include "core/sourcetext.h"
#include "levels/laddermap.h"
#include "packing/packer.h"

namespace {

int usage() {
    std::cerr << "usage: assetbuild build DATA_DIR ARCHIVE [--stage DIR] [--sheet PNG] [--fonts DIR]\n"
                 "       assetbuild check ARCHIVE\n"
                 "       assetbuild penned MAP...\n";
    return 2;
}

int check(const std::filesystem::path& archive) {
    try {
        assets::Packer::verify(archive, {}, archive.string() + ".log");
    } catch (const std::exception& failure) {
        std::cerr << "assetbuild: " << failure.what() << "\n";
        return 1;
    }
    std::filesystem::remove(archive.string() + ".log");
    return 0;
}

// A map the builder would refuse for another fault is named with that fault.
int penned(int count, char** maps) {
    int status = 0;
    for (int i = 0; i < count; ++i) {
        const assets::Place place{maps[i]};
        try {
            const assets::LadderMap map(assets::readFile(maps[i], place), place, assets::LadderMap::Penned::keep);
            for (const assets::LadderMap::Guard& guard : map.guards())
                if (guard.penned())
                    std::cout << maps[i] << ": " << map.describe(guard.cell) << ": " << guard.reached << " of "
                              << guard.places << "\n";
        } catch (const std::exception& failure) {
            std::cerr << "assetbuild: " << failure.what() << "\n";
            status = 1;
        }
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "check") == 0) return check(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "penned") == 0) return penned(argc - 2, argv + 2);
    if (argc < 4 || std::strcmp(argv[1], "build") != 0) return usage();
    assets::Builder::Options options;
    options.data = argv[2];
    options.archive = argv[3];
    options.stage = options.archive.string() + ".stage";
    options.fonts = ASSETBUILD_FONT_DIR;
    for (int i = 4; i < argc; i += 2) {
        if (i + 1 >= argc) return usage();
        if (std::strcmp(argv[i], "--stage") == 0) options.stage = argv[i + 1];
        else if (std::strcmp(argv[i], "--sheet") == 0) options.sheet = argv[i + 1];
        else if (std::strcmp(argv[i], "--fonts") == 0) options.fonts = argv[i + 1];
        else return usage();
    }
    try {
        assets::Builder(options).run();
    } catch (const std::exception& failure) {
        std::cerr << "assetbuild: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
