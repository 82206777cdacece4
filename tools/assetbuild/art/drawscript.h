// Pictures drawn from a script of shapes, gradients and lettering, one command a line:
//   size W H | fill PAINT | rect X Y W H PAINT | round X Y W H R PAINT
//   frame X Y W H T PAINT | roundframe X Y W H R T PAINT | ellipse CX CY RX RY PAINT
//   ring CX CY RX RY T PAINT | poly PAINT X1 Y1 X2 Y2 ... | line X1 Y1 X2 Y2 WIDTH PAINT
//   wave X Y W H AMPLITUDE PERIOD PHASE PAINT (filled below a sine crest)
//   stars SEED COUNT X Y W H COLOUR | grid X Y FILE [SCALE] | use FILE X Y [name=value ...]
//   text X Y ANCHOR FACE SIZE PAINT [outline=COLOUR] [shadow=COLOUR] "TEXT"
// PAINT is a colour (#rrggbb) or a gradient (see Paint); ANCHOR is t/c/b then l/c/r.
#pragma once
#include <filesystem>
#include <map>
#include <memory>
#include "fonts/fontface.h"
#include "image.h"
#include "core/sourcetext.h"

namespace assets {

class DrawScript {
public:
    explicit DrawScript(std::filesystem::path fontDir) : fonts(std::move(fontDir)) {}

    // Runs a script that starts with "size".
    Image run(const SourceText& script);

private:
    struct Origin {
        double x = 0, y = 0;
    };
    void runOn(Image& image, const SourceText& script, Origin origin, int depth);
    void command(Image& image, const std::vector<std::string>& words, const SourceText& script, int line,
                 Origin origin, int depth);
    void text(Image& image, const std::vector<std::string>& words, const Place& place, Origin origin);
    const FontFace& face(const std::string& name, int size, const Place& place);

    std::filesystem::path fonts;
    std::map<std::pair<std::string, int>, std::unique_ptr<FontFace>> faces;
};

// Opens a source named relative to another one, for messages as well as for reading.
SourceText openBeside(const SourceText& from, const std::string& relative);

}  // namespace assets
