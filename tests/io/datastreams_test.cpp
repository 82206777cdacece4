#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "byte_arrays.h"
#include "dbytearrayinputstream.h"
#include "dbytearrayoutputstream.h"
#include "ddatainputstream.h"
#include "ddataoutputstream.h"
#include "dioexception.h"
#include "text.h"

using namespace dfc::io;
using namespace dfc::lang;

namespace {

DDataInputStreamPtr readerOf(const std::string& bytes) {
    return new DDataInputStream(new DByteArrayInputStream(bytesOf(bytes)));
}

// What a writer leaves in a byte-array stream.
std::string written(const std::function<void(DDataOutputStream&)>& write) {
    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DDataOutputStreamPtr out = new DDataOutputStream(sink);
    write(*out);
    return std::string(reinterpret_cast<const char*>(sink->toByteArray()->data), size_t(sink->size()));
}

DStringPtr units(const std::u16string& text) { return new DString(text.data(), int(text.size())); }

}  // namespace

TEST(DataStreams, ValuesAreBigEndianAndReadBack) {
    struct Case {
        const char* name;
        std::function<void(DDataOutputStream&)> write;
        std::string bytes;
        std::function<int64_t(DDataInputStream&)> read;
        int64_t value;
    } cases[] = {
        {"true", [](auto& o) { o.writeBoolean(true); }, "\x01", [](auto& i) { return i.readBoolean(); }, 1},
        {"false", [](auto& o) { o.writeBoolean(false); }, std::string(1, '\0'), [](auto& i) { return i.readBoolean(); },
         0},
        {"byte", [](auto& o) { o.writeByte(-128); }, "\x80", [](auto& i) { return i.readByte(); }, -128},
        {"unsigned byte", [](auto& o) { o.writeByte(0x180); }, "\x80", [](auto& i) { return i.readUnsignedByte(); },
         128},
        {"short", [](auto& o) { o.writeShort(-2); }, "\xff\xfe", [](auto& i) { return i.readShort(); }, -2},
        {"unsigned short", [](auto& o) { o.writeShort(-2); }, "\xff\xfe", [](auto& i) { return i.readUnsignedShort(); },
         65534},
        {"char", [](auto& o) { o.writeChar(0x1234); }, "\x12\x34", [](auto& i) { return i.readUnsignedShort(); },
         0x1234},
        {"int", [](auto& o) { o.writeInt(-2); }, "\xff\xff\xff\xfe", [](auto& i) { return i.readInt(); }, -2},
        {"int order", [](auto& o) { o.writeInt(0x01020304); }, "\x01\x02\x03\x04", [](auto& i) { return i.readInt(); },
         0x01020304},
        {"long", [](auto& o) { o.writeLong(0x0102030405060708); }, "\x01\x02\x03\x04\x05\x06\x07\x08",
         [](auto& i) { return i.readLong(); }, 0x0102030405060708},
        {"negative long", [](auto& o) { o.writeLong(-3); }, "\xff\xff\xff\xff\xff\xff\xff\xfd",
         [](auto& i) { return i.readLong(); }, -3},
    };
    for (auto& c : cases) {
        EXPECT_EQ(written(c.write), c.bytes) << c.name;
        DDataInputStreamPtr in = readerOf(c.bytes);
        EXPECT_EQ(c.read(*in), c.value) << c.name;
        EXPECT_EQ(in->available(), 0) << c.name;
    }
}

TEST(DataStreams, AnyNonZeroByteIsTrue) { EXPECT_TRUE(readerOf("\x7f")->readBoolean()); }

TEST(DataStreams, ModifiedUtf8) {
    struct Case {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"", std::string(2, '\0')},
        {std::u16string(u"A\0\u00e9\u20ac", 4), std::string("\x00\x08\x41\xc0\x80\xc3\xa9\xe2\x82\xac", 10)},
        {u"\u007f\u0080\u07ff\u0800\uffff", std::string("\x00\x0b\x7f\xc2\x80\xdf\xbf\xe0\xa0\x80\xef\xbf\xbf", 13)},
        {u"\U0001F600", std::string("\x00\x06\xed\xa0\xbd\xed\xb8\x80", 8)},
    };
    for (auto& c : cases) {
        EXPECT_EQ(written([&](auto& o) { o.writeUTF(units(c.text)); }), c.bytes);
        DStringPtr back = readerOf(c.bytes)->readUTF();
        EXPECT_EQ(std::u16string(back->chars(), size_t(back->length())), c.text);
    }
}

TEST(DataStreams, LaxFormsAreAccepted) {
    EXPECT_TRUE(readerOf(std::string("\x00\x01\x00", 3))->readUTF()->length() == 1);
    EXPECT_EQ(narrow(readerOf(std::string("\x00\x02\xc1\x81", 4))->readUTF()), "A");
}

TEST(DataStreams, MalformedUtf8) {
    struct Case {
        const char* name;
        std::string bytes;
        bool endOfFile;  // else a format error
    } cases[] = {
        {"two-byte group cut by the count", std::string("\x00\x01\xc3", 3), false},
        {"three-byte group cut by the count", std::string("\x00\x02\xe2\x82", 4), false},
        {"bad continuation", std::string("\x00\x02\xc3\x41", 4), false},
        {"bad third byte", std::string("\x00\x03\xe2\x82\x41", 5), false},
        {"continuation as lead", std::string("\x00\x01\x80", 3), false},
        {"four-byte lead", std::string("\x00\x04\xf0\x9f\x98\x80", 6), false},
        {"bytes cut short", std::string("\x00\x03\x41\x42", 4), true},
        {"count cut short", std::string("\x00", 1), true},
        {"nothing", std::string(), true},
    };
    for (auto& c : cases) {
        try {
            readerOf(c.bytes)->readUTF();
            ADD_FAILURE() << c.name << ": no exception";
        } catch (DEOFExceptionPtr&) {
            EXPECT_TRUE(c.endOfFile) << c.name;
        } catch (DUTFDataFormatExceptionPtr&) {
            EXPECT_FALSE(c.endOfFile) << c.name;
        }
    }
}

TEST(DataStreams, LongestStringFitsAndOneMoreUnitWritesNothing) {
    std::u16string longest(21845, u'\u0800');
    std::string bytes = written([&](auto& o) { o.writeUTF(units(longest)); });
    EXPECT_EQ(bytes.size(), 65537u);
    EXPECT_EQ(bytes.substr(0, 2), "\xff\xff");
    EXPECT_EQ(readerOf(bytes)->readUTF()->length(), 21845);

    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DDataOutputStreamPtr out = new DDataOutputStream(sink);
    EXPECT_THROW(out->writeUTF(units(longest + u'\u0800')), DUTFDataFormatExceptionPtr);
    EXPECT_EQ(sink->size(), 0);
}

TEST(DataStreams, ValueCutShortConsumesWhatWasThere) {
    DDataInputStreamPtr in = readerOf("\x01\x02");
    EXPECT_THROW(in->readInt(), DEOFExceptionPtr);
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->read(), -1);
}

TEST(DataStreams, CharsWriteTwoBytesPerUnit) {
    EXPECT_EQ(written([](auto& o) { o.writeChars(u"A\u20ac"); }), std::string("\x00\x41\x20\xac", 4));
}

TEST(DataStreams, ReadFullyFillsOrThrows) {
    DDataInputStreamPtr in = readerOf("abcde");
    DbyteArrayPtr b = new DbyteArray(4);
    in->readFully(b, 1, 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b->data) + 1, 3), "abc");
    EXPECT_THROW(in->readFully(b), DEOFExceptionPtr);
    EXPECT_THROW(in->readFully(b, 2, 3), DIndexOutOfBoundsExceptionPtr);
}

TEST(DataStreams, ClosingTheReaderLeavesTheSourceClosingTheWriterClosesTheSink) {
    DByteArrayInputStreamPtr source = new DByteArrayInputStream(bytesOf("ab"));
    DDataInputStreamPtr in = new DDataInputStream(source);
    in->close();
    EXPECT_EQ(source->read(), 'a');

    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DDataOutputStreamPtr out = new DDataOutputStream(sink);
    out->writeByte(1);
    out->close();
    EXPECT_TRUE(sink->toByteArray().isNull());
}

TEST(DataStreams, MissingWrappedStreamNamesItsClass) {
    DDataInputStreamPtr in = new DDataInputStream(DInputStreamPtr());
    try {
        in->readInt();
        FAIL();
    } catch (DNullPointerExceptionPtr& e) {
        EXPECT_TRUE(e->getMessage()->startsWith(u"DInputStream "));
    }
    DDataOutputStreamPtr out = new DDataOutputStream(DOutputStreamPtr());
    EXPECT_THROW(out->writeInt(1), DNullPointerExceptionPtr);
    EXPECT_THROW(DDataInputStream::readUTF(DDataInputStreamPtr()), DNullPointerExceptionPtr);
}

TEST(ByteArrayOutputStream, ToStringReadsTheStringWrittenFirst) {
    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DDataOutputStreamPtr out = new DDataOutputStream(sink);
    out->writeUTF(u"score");
    out->writeInt(7);
    EXPECT_EQ(narrow(sink->toString()), "score");
    EXPECT_EQ(sink->toByteArray()->length, 64);
}
