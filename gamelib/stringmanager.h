#pragma once
#include "ddatainputstream.h"
#include "dhashtable.h"
#include "dinputstream.h"
#include "dstringarray.h"

// The text properties of the running program, read from "key=value" lines, and the line
// reader and splitter the other text formats share. Everything is static.
class StringManager {
public:
    // Opens a resource by its archive name; the application puts its own opener here.
    using Opener = dfc::io::DInputStreamPtr (*)(const dfc::lang::DStringPtr& name);
    static Opener openResource;

    // The one table, made by the game-wide tables; null before that.
    static dfc::util::DHashtablePtr properties;

    // Replaces every property with those of name + ".txt" (or ".dat" when the opener gives none).
    static void loadProperties(const dfc::lang::DStringPtr& name);
    // One line of bytes up to CR (the byte after the CR is dropped); null for an empty line.
    // A stream that ends before any byte of the line throws DEOFException.
    static dfc::lang::DStringPtr readLine(const dfc::io::DDataInputStreamPtr& in);
    // Null, with a diagnostic, for a key that is missing.
    static dfc::lang::DStringPtr getProperty(const dfc::lang::DStringPtr& key);
    static int getInt(const dfc::lang::DStringPtr& key, int defaultValue);
    // The fields between separators: k separators give k + 1 fields, empty ones included.
    static dfc::lang::DStringArrayPtr split(const dfc::lang::DStringPtr& text, char16_t separator);
};
