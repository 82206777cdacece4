#pragma once
#include <cstdint>
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
    // The archive entry that serves a resource name, as diagnostics name it; the application
    // puts its own here, which knows the screen's variants.
    using Namer = dfc::lang::DStringPtr (*)(const dfc::lang::DStringPtr& name);
    static Namer entryName;

    // The one table, made by the game-wide tables; null before that.
    static dfc::util::DHashtablePtr properties;

    // Replaces every property with those of name + ".txt" (or ".dat" when the opener gives none).
    // A text whose last line lacks its CR LF is cut short: that is named, the first time it is
    // read, and the line kept.
    static void loadProperties(const dfc::lang::DStringPtr& name);
    // Characters a line keeps; the rest of a longer one is read and dropped. The game's longest
    // line holds some 1200: only damage is longer, and no text of any size is held whole.
    static constexpr int32_t longestLine = 65536;

    // One line of bytes up to CR (the byte after the CR is dropped); null for an empty line.
    // A stream that ends before any byte of the line throws DEOFException.
    static dfc::lang::DStringPtr readLine(const dfc::io::DDataInputStreamPtr& in);
    // The same; *ended tells whether the line had its CR LF, false for the last line of a text
    // cut short.
    static dfc::lang::DStringPtr readLine(const dfc::io::DDataInputStreamPtr& in, bool* ended);
    // Null for a key that is missing: the first key a text lacks names the text; quietly for one
    // of a text that was cut short, empty or missing, whose damage has been named.
    static dfc::lang::DStringPtr getProperty(const dfc::lang::DStringPtr& key);
    // The same, but empty for a missing key: for a text joined to others, where a null would read "null".
    static dfc::lang::DStringPtr getText(const dfc::lang::DStringPtr& key);
    // Whether the key's line is the one a cut ended the text last loaded in: its value may be cut
    // short too, which has been named.
    static bool endsCutShort(const dfc::lang::DStringPtr& key);
    // Whether the key is missing, or may be cut, by damage to the text last loaded that has been
    // named: what it leaves without its value is not named again, key by key.
    static bool lostToDamage(const dfc::lang::DStringPtr& key);
    static int getInt(const dfc::lang::DStringPtr& key, int defaultValue);
    // For a key a game cannot play without: one the text last loaded lacks throws DDamagedDataException
    // naming the text and the key.
    static void requireKey(const dfc::lang::DStringPtr& key);
    // The fields between separators: k separators give k + 1 fields, empty ones included.
    static dfc::lang::DStringArrayPtr split(const dfc::lang::DStringPtr& text, char16_t separator);

private:
    static void nameMissing(const dfc::lang::DStringPtr& key);
};
