#include "entryset.h"
#include <sstream>
#include "core/builderror.h"

namespace assets {

namespace {

void checkName(const std::string& name, const Place& origin) {
    if (name.empty() || name.size() > 255) throw BuildError(origin, "entry name is empty or longer than 255");
    for (char c : name)
        if (c < 0x20 || c > 0x7E || c == '\\')
            throw BuildError(origin,
                             "entry name \"" + name + "\" holds a character that is not printable ASCII or '\\'");
    if (name.front() == '/' || name.back() == '/' || name.find("//") != std::string::npos)
        throw BuildError(origin, "entry name \"" + name + "\" must be '/'-separated words without a leading '/'");
    std::istringstream parts(name);
    for (std::string part; std::getline(parts, part, '/');)
        if (part == "." || part == "..")
            throw BuildError(origin, "entry name \"" + name + "\" holds \".\" or \"..\"");
}

std::string hex(uint32_t value) {
    std::ostringstream out;
    out << "0x" << std::hex << value;
    return out.str();
}

}  // namespace

uint32_t EntrySet::hash(const std::string& name) {
    uint32_t h = 0;
    for (char c : name) h = h * 31u + uint32_t(int32_t(static_cast<signed char>(c)));
    return h;
}

std::vector<std::string> EntrySet::namesTried(const std::string& name) {
    std::vector<std::string> forms{name};
    for (const char* from : {".wav", ".mod"})
        if (name.ends_with(from)) forms.push_back(name.substr(0, name.size() - 4) + (from[1] == 'w' ? ".mod" : ".wav"));
    std::vector<std::string> tried;
    for (const std::string& form : forms) {
        tried.push_back(form);
        tried.push_back(form.starts_with("ppc/") ? form.substr(4) : "ppc/" + form);
    }
    return tried;
}

void EntrySet::add(const std::string& name, std::string bytes, Kind kind, const Place& origin) {
    checkName(name, origin);
    auto [found, fresh] = entries.emplace(name, Entry{std::move(bytes), kind, origin});
    if (!fresh) throw BuildError(origin, "entry " + name + " is already made at " + found->second.origin.text());
}

const EntrySet::Entry* EntrySet::find(const std::string& name) const {
    auto found = entries.find(name);
    return found == entries.end() ? nullptr : &found->second;
}

void EntrySet::checkNames() const {
    struct Claim {
        std::string name;
        std::string entry;
    };
    std::map<uint32_t, Claim> claims;
    for (const auto& [entry, data] : entries) {
        for (const std::string& tried : namesTried(entry)) {
            uint32_t h = hash(tried);
            auto describe = [](const std::string& t, const std::string& e) {
                return t == e ? "entry " + e : "name " + t + " (tried for entry " + e + ")";
            };
            if (h == 0)
                throw BuildError(data.origin, describe(tried, entry) + " hashes to 0, which the archive index "
                                                                        "cannot hold");
            auto [found, fresh] = claims.emplace(h, Claim{tried, entry});
            if (!fresh && found->second.name != tried)
                throw BuildError(data.origin, describe(tried, entry) + " and " +
                                                  describe(found->second.name, found->second.entry) + " (" +
                                                  entries.at(found->second.entry).origin.text() +
                                                  ") share the hash " + hex(h) + "; the game would open the wrong one");
        }
    }
}

}  // namespace assets
