#include "stringmanager.h"
#include <string>
#include "d7zipinputstream.h"
#include "damagelog.h"
#include "ddamageddataexception.h"
#include "dexception.h"
#include "dinteger.h"
#include "dioexception.h"
#include "excerpt.h"
#include "keybudget.h"

using dfc::io::DDamagedDataException;
using dfc::io::DDamagedDataExceptionPtr;
using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DEOFExceptionPtr;
using dfc::io::DInputStreamPtr;
using dfc::lang::DException;
using dfc::lang::DExceptionPtr;
using dfc::lang::DInteger;
using dfc::lang::DString;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;

namespace {

constexpr int carriageReturn = 13;

DInputStreamPtr openArchiveEntry(const DStringPtr& name) { return dfc::io::D7zipInputStream::open(name); }

DStringPtr toString(const std::u16string& units) { return new DString(units.data(), int(units.size())); }

DStringPtr archiveEntryOf(const DStringPtr& name) { return name->startsWith(u"/") ? name->substring(1) : name; }

// The entry is named only on the way to a diagnostic: naming it may open the archive again.
void reportDamage(const DStringPtr& file, const DStringPtr& damage) {
    const DStringPtr entry = StringManager::entryName(file);
    DamageLog::name(u"the text " + entry, u"StringManager: " + entry + damage);
}

// What the text last loaded into a table was found to lack, for as long as that table lasts.
// The table is held so that no other takes its place unseen.
struct Damage {
    dfc::util::DHashtablePtr table;
    // The text last loaded was cut short, empty or missing: the keys it lost are not named one by one.
    bool lastText = false;
    // The key of the line the last text's cut ended in.
    DStringPtr cutKey;
};

Damage& damage() {
    static Damage found;
    if (found.table.get() != StringManager::properties.get()) found = Damage{StringManager::properties, false, {}};
    return found;
}

// The resource the table was last loaded from, as the opener was asked for it.
DStringPtr& loadedText() {
    static DStringPtr name;
    return name;
}

// That text as diagnostics name it; a table filled by hand was loaded from none.
DStringPtr loadedEntry() {
    return loadedText() ? StringManager::entryName(loadedText()) : DStringPtr(u"the text table");
}

}  // namespace

StringManager::Opener StringManager::openResource = openArchiveEntry;
StringManager::Namer StringManager::entryName = archiveEntryOf;
dfc::util::DHashtablePtr StringManager::properties;

void StringManager::loadProperties(const DStringPtr& name) {
    properties->clear();
    // Until the text is read whole, what is missing is its damage's, which is named.
    damage().lastText = true;
    damage().cutKey = nullptr;
    DStringPtr file = name + u".txt";
    DInputStreamPtr in = openResource(file);
    if (!in) in = openResource(file = name + u".dat");
    loadedText() = file;
    bool whole = in->available() != 0;
    if (!whole) reportDamage(file, u" is empty: every text it holds is missing");
    DDataInputStreamPtr lines = new DDataInputStream(in);
    bool ended = true;
    KeyBudget budget;
    try {
        while (DStringPtr line = readLine(lines, &ended)) {
            int equals = line->indexOf(u'=');
            if (equals >= 0) {
                const DStringPtr key = line->substring(0, equals);
                if (budget.admits(key)) properties->put(key, line->substring(equals + 1));
            }
            if (ended) continue;
            whole = false;
            if (equals >= 0) damage().cutKey = line->substring(0, equals);
            reportDamage(file, u" is cut short: its last line, " + Excerpt::quoted(line) +
                                   u", lacks its line end; what followed is missing");
        }
    } catch (DEOFExceptionPtr&) {
    }
    in->close();
    if (budget.exceeded()) {
        whole = false;
        reportDamage(file, DStringPtr(u" holds ") + KeyBudget::overrun());
    }
    damage().lastText = !whole;
}

DStringPtr StringManager::readLine(const DDataInputStreamPtr& in) {
    bool ended = true;
    return readLine(in, &ended);
}

DStringPtr StringManager::readLine(const DDataInputStreamPtr& in, bool* ended) {
    std::u16string line;
    *ended = false;
    try {
        for (;;) {
            int byte = in->readUnsignedByte();
            if (byte == carriageReturn) {
                in->readUnsignedByte();  // the LF of CR LF
                *ended = true;
                break;
            }
            if (line.size() < size_t(longestLine)) line += char16_t(byte);
        }
    } catch (DEOFExceptionPtr&) {
        // A last line without its line end still counts; only a stream already at its end throws.
        if (line.empty()) throw;
    }
    if (line.empty()) return DStringPtr();
    return toString(line);
}

DStringPtr StringManager::getProperty(const DStringPtr& key) {
    DStringPtr value = DStringPtr::from(properties->get(key));
    if (!value && !lostToDamage(key)) nameMissing(key);
    return value;
}

// The first key a text lacks names it; the others it lacks are not named one by one.
void StringManager::nameMissing(const DStringPtr& key) {
    const DStringPtr entry = loadedEntry();
    DamageLog::name(u"the keys of " + entry, u"StringManager: " + entry + u" has no key " + Excerpt::quoted(key) +
                                                 u"; any other key it lacks goes unnamed");
}

DStringPtr StringManager::getText(const DStringPtr& key) {
    const DStringPtr value = getProperty(key);
    return value ? value : DStringPtr(u"");
}

bool StringManager::endsCutShort(const DStringPtr& key) {
    const DStringPtr cut = damage().cutKey;
    return cut && cut->equals(key);
}

bool StringManager::lostToDamage(const DStringPtr& key) {
    return endsCutShort(key) || (damage().lastText && !properties->get(key));
}

int StringManager::getInt(const DStringPtr& key, int defaultValue) {
    DStringPtr value = DStringPtr::from(properties->get(key));
    if (!value) return defaultValue;
    try {
        return DInteger::parseInt(value);
    } catch (DExceptionPtr&) {
        return defaultValue;
    }
}

void StringManager::requireKey(const DStringPtr& key) {
    if (!properties->get(key))
        throw DDamagedDataExceptionPtr(new DDamagedDataException(u"the text " + loadedEntry() + u" has no key " + key));
}

DStringArrayPtr StringManager::split(const DStringPtr& text, char16_t separator) {
    if (!text) DFC_THROW(DException);
    int separators = 0;
    for (int i = 0; i < text->length(); ++i) separators += text->charAt(i) == separator;
    DStringArrayPtr fields = new DStringArray(separators + 1);
    int end = text->length();
    for (int i = separators; i > 0; --i) {
        int at = text->lastIndexOf(separator, end - 1);
        (*fields)[i] = text->substring(at + 1, end);
        end = at;
    }
    (*fields)[0] = text->substring(0, end);
    return fields;
}
