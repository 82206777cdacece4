// A four-channel MOD tune written from a text score:
//   title TEXT | speed TICKS | tempo BPM | instrument ... (see Instrument)
//   hit SYMBOL = INSTRUMENT NOTE          (a one-letter drum hit)
//   pattern NAME [ROWS]                   (then channel lines until the next pattern)
//   CHANNEL INSTRUMENT : TOKEN ...        (one token a row: "." nothing, a note such as
//                                          "C4" or "F#3", optionally "/VOLUME", "^" cut,
//                                          or a hit symbol)
//   order NAME ...                        (the patterns played, then from the start again)
#pragma once
#include <array>
#include <map>
#include <string>
#include <vector>
#include "instrument.h"
#include "core/sourcetext.h"

namespace assets {

class ModSong {
public:
    explicit ModSong(const SourceText& score);

    std::string bytes() const { return file; }
    // Reads MOD bytes back: false with `error` set when the layout is not a 4-channel MOD.
    static bool check(const std::string& bytes, std::string& error);

private:
    struct Cell {
        int instrument = 0;  // 1-based, 0 = none
        int period = 0;
        int effect = 0, parameter = 0;
    };
    using Pattern = std::vector<std::array<Cell, 4>>;

    void channelLine(const std::vector<std::string>& words, const Place& place, Pattern& pattern,
                     std::array<int, 4>& filled);
    Cell cellFor(const std::string& token, int instrument, const Place& place) const;
    int period(int instrument, int note, const Place& place) const;
    static void putEffect(Pattern& pattern, int row, int effect, int parameter, const Place& place);

    std::string title = "mossyard";
    int speed = 6, tempo = 125;
    std::vector<Instrument> instruments;
    std::map<std::string, std::pair<int, int>> hits;  // symbol -> (instrument, note)
    std::vector<std::string> patternNames;
    std::vector<Pattern> patterns;
    std::vector<int> order;
    std::string file;
};

}  // namespace assets
