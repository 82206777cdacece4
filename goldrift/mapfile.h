#pragma once
#include <cstdint>
#include "ddatainputstream.h"
#include "dinputstream.h"
#include "dstring.h"
#include "dprimitives.h"
#include "mapfile.ptr"

// A ladder-game map as stored: the width and the height, each a decimal line ended by CR LF,
// then width x height cell characters row by row, line ends between them skipped. Reading
// checks what the game relies on and names the first fault instead of throwing.
class MapFile : public dfc::lang::DObject {
public:
    // The distance field holds a 16-bit cell index.
    static constexpr int32_t maxCells = 32767;

    // False, with `fault` set, when the stream does not hold a whole map with a hero's start.
    virtual bool read(const dfc::io::DInputStreamPtr& in);

    int32_t width = 0;
    int32_t height = 0;
    // Row by row, width x height.
    dfc::lang::DcharArrayPtr cells;
    dfc::lang::DStringPtr fault;

private:
    // A decimal line of 1 to 5 digits; -1 when the line is empty, too long or not a number.
    static int32_t readSize(const dfc::io::DDataInputStreamPtr& in);
    bool readCells(const dfc::io::DDataInputStreamPtr& in);
    bool refuse(const char16_t* reason);
};
