#include "helptext.h"
#include <cstdint>
#include "damagelog.h"
#include "ddatainputstream.h"
#include "dexception.h"
#include "dioexception.h"
#include "dstringbuffer.h"
#include "gamelib.h"
#include "stringmanager.h"

using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DEOFExceptionPtr;
using dfc::io::DInputStreamPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DStringBuffer;
using dfc::lang::DStringBufferPtr;
using dfc::lang::DStringPtr;

DStringPtr HelpText::read(const DStringPtr& name) {
    DInputStreamPtr in = GameLib::openResource(name);
    DDataInputStreamPtr strings = new DDataInputStream(in);
    DStringBufferPtr text = new DStringBuffer();
    int32_t paragraphs = 0;
    try {
        // The text ends where its bytes do: a paragraph begun and not finished is damage.
        for (; strings->available() > 0; ++paragraphs) {
            text->append(strings->readUTF());
            text->append(u"\n");
        }
        if (paragraphs == 0) nameDamage(name, u" is empty: every text it holds is missing");
    } catch (DEOFExceptionPtr&) {
        nameDamage(name, DStringPtr(u" is cut short: its paragraph ") + (paragraphs + 1) +
                             u" lacks its end; what followed is missing");
    } catch (DExceptionPtr&) {
        nameDamage(name, DStringPtr(u" is damaged: its paragraph ") + (paragraphs + 1) +
                             u" is no modified UTF-8; it and what followed are missing");
    }
    in->close();
    return text->toString();
}

void HelpText::nameDamage(const DStringPtr& name, const DStringPtr& damage) {
    const DStringPtr entry = GameLib::servingEntry(name);
    DamageLog::name(u"the help " + entry, u"Help: " + entry + damage);
}
