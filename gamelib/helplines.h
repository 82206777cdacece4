// How the help page breaks a text into lines: a line feed ends a paragraph; a line wider than
// the box breaks at its last blank, or after charsPerLine characters when no blank lies beyond
// its first character. The game lays its help out by this rule and the asset builder counts the
// lines of every help text by it, so that both agree on what the page shows.
#pragma once
#include <algorithm>
#include <cstdint>

// text(i) gives the character at i, width(c) what it adds to a line, line(from, to) takes each
// line, text[from, to).
template <typename Text, typename Width, typename Line>
class HelpLines {
public:
    HelpLines(Text text, Width width, Line line, int32_t charsPerLine, int64_t maxWidth)
        : text(text), width(width), line(line), charsPerLine(std::max(charsPerLine, 1)), maxWidth(maxWidth) {}

    // Breaks text[0, length).
    void breakText(int32_t length) {
        // lineWidth is that of text[start, i), kept as the scan goes and lessened by what a cut
        // takes away: each character is measured at most twice, however long its paragraph.
        int32_t start = 0, lastSpace = 0;
        int64_t lineWidth = 0;
        for (int32_t i = 0; i < length; ++i) {
            const char32_t c = text(i);
            if (c == U'\n') {
                // The line feed cuts until the rest fits. A cut at a blank just before it leaves
                // nothing: the line feed then ends the paragraph.
                bool ended = false;
                while (!ended && i - start > charsPerLine && lineWidth > maxWidth) {
                    const int32_t next = cut(start, lastSpace);
                    ended = next == i;
                    lineWidth -= measure(start, next);
                    start = next;
                }
                if (!ended) line(start, i);
                start = i + 1;
                lineWidth = 0;
                continue;
            }
            if (c == U' ') {
                if (i - start > charsPerLine && lineWidth > maxWidth) {
                    const int32_t next = cut(start, lastSpace);
                    lineWidth -= measure(start, next);
                    start = next;
                }
                // Also when this blank ended a line: it is where the next line may break.
                lastSpace = i;
            }
            lineWidth += width(c);
        }
    }

private:
    // Gives the too wide line from start: up to the last blank when that lies beyond start + 1,
    // else its first charsPerLine characters. Returns where the next line begins.
    int32_t cut(int32_t start, int32_t lastSpace) {
        if (lastSpace - 1 > start) {
            line(start, lastSpace);
            return lastSpace + 1;
        }
        line(start, start + charsPerLine);
        return start + charsPerLine;
    }

    int64_t measure(int32_t from, int32_t to) {
        int64_t sum = 0;
        for (int32_t i = from; i < to; ++i) sum += width(text(i));
        return sum;
    }

    Text text;
    Width width;
    Line line;
    const int32_t charsPerLine;
    const int64_t maxWidth;
};
