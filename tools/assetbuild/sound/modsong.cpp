#include "modsong.h"
#include <algorithm>
#include "core/builderror.h"

namespace assets {

namespace {

// The tracker's three octaves of periods, C-1 to B-3.
constexpr int periods[36] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453, 428, 404, 381, 360, 339, 320,
                             302, 285, 269, 254, 240, 226, 214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};
constexpr int rowsPerPattern = 64;

int wholeNumber(const std::string& text, const Place& place) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        throw BuildError(place, "\"" + text + "\" is not a whole number");
    return std::stoi(text);
}

}  // namespace

ModSong::ModSong(const SourceText& score) {
    Pattern* current = nullptr;
    std::array<int, 4> filled{};
    Place patternPlace;
    auto finishPattern = [&]() {
        if (!current) return;
        int rows = int(current->size());
        for (int channel = 0; channel < 4; ++channel)
            if (filled[size_t(channel)] != 0 && filled[size_t(channel)] != rows)
                throw BuildError(patternPlace, "channel " + std::to_string(channel + 1) + " has " +
                                                   std::to_string(filled[size_t(channel)]) + " rows, the pattern " +
                                                   std::to_string(rows));
        if (rows < rowsPerPattern) {
            putEffect(*current, rows - 1, 0xD, 0, patternPlace);  // break to the next pattern
            current->resize(rowsPerPattern);
        }
    };
    for (const SourceText::Line& line : score.lines()) {
        Place place = score.place(line.number);
        std::vector<std::string> words = tokenize(line.text, place);
        const std::string& key = words[0];
        if (key == "title") {
            if (words.size() < 2) throw BuildError(place, "\"title\" takes the tune's name");
            title = line.text.substr(6);
        } else if (key == "speed" && words.size() == 2) {
            speed = wholeNumber(words[1], place);
            if (speed < 1 || speed > 31) throw BuildError(place, "speed runs from 1 to 31");
        } else if (key == "tempo" && words.size() == 2) {
            tempo = wholeNumber(words[1], place);
            if (tempo < 32 || tempo > 255) throw BuildError(place, "tempo runs from 32 to 255");
        } else if (key == "instrument") {
            if (instruments.size() == 31) throw BuildError(place, "a MOD holds 31 instruments");
            instruments.emplace_back(words, place);
        } else if (key == "hit") {
            if (words.size() != 5 || words[2] != "=" || words[1].size() != 1)
                throw BuildError(place, "expected hit SYMBOL = INSTRUMENT NOTE");
            auto found = std::find_if(instruments.begin(), instruments.end(),
                                      [&](const Instrument& i) { return i.name() == words[3]; });
            if (found == instruments.end()) throw BuildError(place, "no instrument \"" + words[3] + "\"");
            int note = parseNote(words[4]);
            if (note < 0) throw BuildError(place, "\"" + words[4] + "\" is not a note");
            hits[words[1]] = {int(found - instruments.begin()) + 1, note};
        } else if (key == "pattern") {
            finishPattern();
            if (words.size() < 2 || words.size() > 3) throw BuildError(place, "expected pattern NAME [ROWS]");
            if (std::find(patternNames.begin(), patternNames.end(), words[1]) != patternNames.end())
                throw BuildError(place, "pattern \"" + words[1] + "\" is given twice");
            int rows = words.size() == 3 ? wholeNumber(words[2], place) : rowsPerPattern;
            if (rows < 1 || rows > rowsPerPattern) throw BuildError(place, "a pattern has 1 to 64 rows");
            patternNames.push_back(words[1]);
            patterns.emplace_back(size_t(rows));
            current = &patterns.back();
            filled = {};
            patternPlace = place;
        } else if (key == "order") {
            finishPattern();
            current = nullptr;
            for (size_t i = 1; i < words.size(); ++i) {
                auto found = std::find(patternNames.begin(), patternNames.end(), words[i]);
                if (found == patternNames.end()) throw BuildError(place, "no pattern \"" + words[i] + "\"");
                order.push_back(int(found - patternNames.begin()));
            }
        } else if (current && !words.empty() && words[0].size() == 1 && words[0][0] >= '1' && words[0][0] <= '4') {
            channelLine(words, place, *current, filled);
        } else {
            throw BuildError(place, "cannot read this score line");
        }
    }
    finishPattern();
    if (order.empty() || order.size() > 128)
        throw BuildError(score.place(0), "the score needs an order of 1 to 128 patterns");
    if (patterns.size() > 64) throw BuildError(score.place(0), "a MOD holds 64 patterns");
    Pattern& first = patterns[size_t(order[0])];
    putEffect(first, 0, 0xF, speed, score.place(0));
    putEffect(first, 0, 0xF, tempo, score.place(0));

    // Header: title, 31 instrument records, the order, the signature.
    file.assign(20, '\0');
    file.replace(0, std::min<size_t>(title.size(), 20), title.substr(0, 20));
    std::vector<std::vector<int8_t>> samples;
    for (int i = 0; i < 31; ++i) {
        std::string record(30, '\0');
        if (i < int(instruments.size())) {
            const Instrument& instrument = instruments[size_t(i)];
            samples.push_back(instrument.render());
            record.replace(0, std::min<size_t>(instrument.name().size(), 22), instrument.name().substr(0, 22));
            size_t words = samples.back().size() / 2;
            record[22] = char(words >> 8);
            record[23] = char(words & 0xFF);
            record[25] = char(instrument.volume());
            record[29] = 1;  // one-word loop: the sample plays once
        }
        file += record;
    }
    file += char(order.size());
    file += char(0);
    std::string table(128, '\0');
    for (size_t i = 0; i < order.size(); ++i) table[i] = char(order[i]);
    file += table;
    file += "M.K.";
    for (const Pattern& pattern : patterns)
        for (const auto& row : pattern)
            for (const Cell& cell : row) {
                file += char((cell.instrument & 0xF0) | (cell.period >> 8));
                file += char(cell.period & 0xFF);
                file += char(((cell.instrument & 0x0F) << 4) | cell.effect);
                file += char(cell.parameter);
            }
    for (const auto& sample : samples) file.append(reinterpret_cast<const char*>(sample.data()), sample.size());
}

void ModSong::channelLine(const std::vector<std::string>& words, const Place& place, Pattern& pattern,
                          std::array<int, 4>& filled) {
    int channel = words[0][0] - '1';
    if (words.size() < 3 || words[2] != ":") throw BuildError(place, "expected CHANNEL INSTRUMENT : TOKENS");
    int instrument = 0;
    if (words[1] != "-") {
        auto found = std::find_if(instruments.begin(), instruments.end(),
                                  [&](const Instrument& i) { return i.name() == words[1]; });
        if (found == instruments.end()) throw BuildError(place, "no instrument \"" + words[1] + "\"");
        instrument = int(found - instruments.begin()) + 1;
    }
    for (size_t i = 3; i < words.size(); ++i) {
        int& row = filled[size_t(channel)];
        if (row >= int(pattern.size())) throw BuildError(place, "more rows than the pattern has");
        pattern[size_t(row)][size_t(channel)] = cellFor(words[i], instrument, place);
        ++row;
    }
}

ModSong::Cell ModSong::cellFor(const std::string& token, int instrument, const Place& place) const {
    Cell cell;
    if (token == ".") return cell;
    if (token == "^") {
        cell.effect = 0xC;  // volume 0
        return cell;
    }
    std::string note = token;
    int volume = -1;
    size_t slash = token.find('/');
    if (slash != std::string::npos) {
        note = token.substr(0, slash);
        volume = wholeNumber(token.substr(slash + 1), place);
        if (volume > 64) throw BuildError(place, "volume runs from 0 to 64");
    }
    auto hit = hits.find(note);
    int semitones;
    if (hit != hits.end()) {
        instrument = hit->second.first;
        semitones = hit->second.second;
    } else {
        semitones = parseNote(note);
        if (semitones < 0) throw BuildError(place, "\"" + token + "\" is neither a note nor a hit");
        if (instrument == 0) throw BuildError(place, "a note needs the line's instrument");
    }
    cell.instrument = instrument;
    cell.period = period(instrument, semitones, place);
    if (volume >= 0) {
        cell.effect = 0xC;
        cell.parameter = volume;
    }
    return cell;
}

int ModSong::period(int instrument, int note, const Place& place) const {
    int index = note - instruments[size_t(instrument - 1)].baseNote() + 12;
    if (index < 0 || index >= 36)
        throw BuildError(place, "the note is more than an octave from what " +
                                    instruments[size_t(instrument - 1)].name() + " can play");
    return periods[index];
}

void ModSong::putEffect(Pattern& pattern, int row, int effect, int parameter, const Place& place) {
    for (int channel = 3; channel >= 0; --channel) {
        Cell& cell = pattern[size_t(row)][size_t(channel)];
        if (cell.effect == 0 && cell.parameter == 0) {
            cell.effect = effect;
            cell.parameter = parameter;
            return;
        }
    }
    throw BuildError(place, "row " + std::to_string(row) + " has no channel free for a tempo or break command");
}

bool ModSong::check(const std::string& bytes, std::string& error) {
    if (bytes.size() < 1084 || bytes.compare(1080, 4, "M.K.") != 0) {
        error = "not a four-channel MOD file";
        return false;
    }
    int length = uint8_t(bytes[950]);
    int highest = 0;
    for (int i = 0; i < 128; ++i) highest = std::max(highest, int(uint8_t(bytes[952 + size_t(i)])));
    size_t expected = 1084 + size_t(highest + 1) * 1024;
    for (int i = 0; i < 31; ++i) {
        size_t record = 20 + size_t(i) * 30;
        size_t words = size_t(uint8_t(bytes[record + 22])) << 8 | uint8_t(bytes[record + 23]);
        expected += words * 2;
    }
    if (length < 1 || length > 128 || expected != bytes.size()) {
        error = "the song's lengths do not match the file";
        return false;
    }
    return true;
}

}  // namespace assets
