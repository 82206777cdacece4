#include "properties.h"
#include <map>
#include "core/builderror.h"

namespace assets {

std::vector<Properties::Entry> Properties::read(const std::string& bytes, const Place& place, bool integers) {
    std::vector<Entry> entries;
    for (const LineFile::Line& line : LineFile::split(bytes, place, false)) {
        Place at = place.at(line.number);
        size_t equals = line.text.find('=');
        if (equals == std::string::npos || equals == 0) throw BuildError(at, "line is not key=value");
        Entry entry{line.text.substr(0, equals), line.text.substr(equals + 1), at};
        if (integers) {
            const std::string& v = entry.value;
            size_t digits = v.size() > 1 && v[0] == '-' ? 1 : 0;
            if (v.size() == digits || v.find_first_not_of("0123456789", digits) != std::string::npos)
                throw BuildError(at, "value of " + entry.key + " is not a whole number");
        }
        entries.push_back(entry);
    }
    checkUnique(entries);
    return entries;
}

std::string Properties::encode(const std::vector<Entry>& entries) {
    std::vector<std::string> lines;
    for (const Entry& entry : entries) lines.push_back(entry.key + "=" + entry.value);
    return LineFile::join(lines, false);
}

void Properties::checkUnique(const std::vector<Entry>& entries) {
    std::map<std::string, const Entry*> seen;
    for (const Entry& entry : entries) {
        auto [found, fresh] = seen.emplace(entry.key, &entry);
        if (!fresh)
            throw BuildError(entry.place,
                             "key \"" + entry.key + "\" is already given at " + found->second->place.text());
    }
}

}  // namespace assets
