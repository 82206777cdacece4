#include <cstdlib>
#include "ce_window.h"
#include "platform.h"

namespace platform {
namespace {

const KeyTable smartphoneKeys{VK_F1, VK_F2, VK_F8, VK_F9};
const KeyTable pocketPcKeys{VK_APP1, VK_APP4, VK_APP2, VK_APP3};

std::vector<Profile> makeProfiles() {
    return {
        {"smartphone", "176 x 220 Smartphone", u"SmartPhone", u"Smartphone", 176, 220, smartphoneKeys},
        {"pocketpc", "240 x 320 Pocket PC", u"PocketPC", u"Pocket PC", 240, 320, pocketPcKeys},
    };
}

const Profile* current = nullptr;

}  // namespace

const std::vector<Profile>& profiles() {
    static const std::vector<Profile> all = makeProfiles();
    return all;
}

const Profile* findProfile(std::string_view name) {
    for (const Profile& p : profiles())
        if (p.name == name) return &p;
    return nullptr;
}

const Profile& profile() {
    if (!current) {
        const char* chosen = std::getenv("MOSSYARD_PROFILE");
        current = chosen ? findProfile(chosen) : nullptr;
        if (!current) current = &profiles().front();
    }
    return *current;
}

void selectProfile(const Profile& p) { current = &p; }

}  // namespace platform
