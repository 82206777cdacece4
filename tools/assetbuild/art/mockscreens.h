// Screens put together from the made resources the way the game lays them out (start-up,
// shell menu on both screens, a menu page, name entry), so the contact sheet shows how they
// look together at their real size.
#pragma once
#include <map>
#include <string>
#include <vector>
#include "packing/entryset.h"
#include "fonts/fontmetrics.h"
#include "image.h"

namespace assets {

class MockScreens {
public:
    MockScreens(const EntrySet& entries, const std::map<std::string, FontMetrics>& fonts)
        : entries(entries), fonts(fonts) {}

    // Each screen with its caption; screens whose resources are missing are left out.
    std::vector<std::pair<std::string, Image>> all() const;

private:
    Image startUp(int width, int height, const std::string& prefix) const;
    Image smallShell() const;
    Image largeShell() const;
    Image menuPage() const;
    Image nameEntry(int width, int height, const std::string& prefix) const;

    Image picture(const std::string& name) const;
    Image atlasPicture(const std::string& atlas, const std::string& name) const;
    // Draws as the game's bitmap fonts do; anchor bits as the game's: 1 centre, 8 right, 32 bottom.
    void text(Image& target, const std::string& font, const std::u32string& text, int x, int y, int anchor) const;
    int textWidth(const std::string& font, const std::u32string& text) const;
    int fontHeight(const std::string& font) const;

    const EntrySet& entries;
    const std::map<std::string, FontMetrics>& fonts;
};

}  // namespace assets
