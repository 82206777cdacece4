#include "manifest.h"
#include "builderror.h"
#include "kinds.h"
#include "sourcetext.h"

namespace assets {

std::string ManifestItem::option(const std::string& key, const std::string& fallback) const {
    auto found = options.find(key);
    return found == options.end() ? fallback : found->second;
}

int ManifestItem::intOption(const std::string& key, int fallback) const {
    std::string text = option(key, "");
    if (text.empty()) return fallback;
    if (text.find_first_not_of("0123456789") != std::string::npos)
        throw BuildError(place, key + "=" + text + " is not a whole number");
    return std::stoi(text);
}

std::vector<ManifestItem> Manifest::read(const std::filesystem::path& folder, const std::string& shownAs) {
    SourceText text = SourceText::load(folder / "manifest.txt", shownAs + "/manifest.txt");
    std::vector<ManifestItem> items;
    for (const SourceText::Line& line : text.lines()) {
        ManifestItem item;
        item.place = text.place(line.number);
        std::vector<std::string> words = tokenize(line.text, item.place);
        item.kind = Kind::find(words[0]);
        if (!item.kind) throw BuildError(item.place, "unknown kind \"" + words[0] + "\"");
        if (item.kind->line == Kind::Line::names) {
            if (words.size() < 3) throw BuildError(item.place, words[0] + " takes a name and what must be in it");
            item.entry = words[1];
            item.names.assign(words.begin() + 2, words.end());
            items.push_back(item);
            continue;
        }
        if (words.size() < 3) throw BuildError(item.place, "expected KIND ENTRY SOURCE [OPTIONS]");
        item.entry = words[1];
        // Sources may be shared between folders, but nothing outside the data tree is read.
        std::filesystem::path full = (folder / words[2]).lexically_normal();
        std::filesystem::path inTree = full.lexically_relative(folder.parent_path().lexically_normal());
        if (std::filesystem::path(words[2]).is_absolute() || inTree.empty() || *inTree.begin() == "..")
            throw BuildError(item.place, "source " + words[2] + " lies outside the data folder");
        item.source = full;
        item.sourceName = (std::filesystem::path(shownAs).parent_path() / inTree).string();
        for (size_t i = 3; i < words.size(); ++i) {
            if (words[i] == "+ppc") {
                item.alsoLarge = true;
                continue;
            }
            if (words[i] == "text") {
                item.text = true;
                continue;
            }
            size_t equals = words[i].find('=');
            if (equals == std::string::npos) throw BuildError(item.place, "unknown option \"" + words[i] + "\"");
            item.options[words[i].substr(0, equals)] = words[i].substr(equals + 1);
        }
        items.push_back(item);
    }
    return items;
}

}  // namespace assets
