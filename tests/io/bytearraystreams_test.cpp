#include <gtest/gtest.h>
#include <cstdint>
#include <string>
#include "byte_arrays.h"
#include "dbytearrayinputstream.h"
#include "dbytearrayoutputstream.h"
#include "dexception.h"

using namespace dfc::io;
using namespace dfc::lang;

namespace {

// Counts the single-byte calls that the stream bases' array forms make.
class CountingInput : public DInputStream {
public:
    int available() override { return 100; }
    using DInputStream::read;
    int read() override { return ++reads & 0xFF; }
    int64_t skip(int64_t n) override { return n; }
    int reads = 0;
};

class CountingOutput : public DOutputStream {
public:
    void write(int v) override { written += char(v); }
    using DOutputStream::write;
    std::string written;
};

}  // namespace

TEST(ByteArrayInputStream, ReadsUntilTheEnd) {
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytesOf("abc"));
    DbyteArrayPtr b = new DbyteArray(5);
    EXPECT_EQ(in->read(b, 0, 0), 0);
    EXPECT_EQ(in->read(b, 0, 5), 3);
    EXPECT_EQ(textOf(b, 3), "abc");
    EXPECT_EQ(in->read(b, 0, 5), -1);
    EXPECT_EQ(in->read(b, 0, 0), 0);
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(in->available(), 0);
    in->reset();
    EXPECT_EQ(in->read(), 'a');
    EXPECT_EQ(in->read(b), 2);
}

TEST(ByteArrayInputStream, BytesReadAsUnsigned) {
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytesOf("\xff\x80"));
    EXPECT_EQ(in->read(), 0xFF);
    EXPECT_EQ(in->read(), 0x80);
}

TEST(ByteArrayInputStream, PartOfAnArray) {
    DbyteArrayPtr ten = bytesOf("0123456789");
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(ten, 2, 100);
    EXPECT_EQ(in->available(), 8);
    EXPECT_EQ(in->read(), '2');
    in->reset();
    EXPECT_EQ(in->available(), 10);

    DByteArrayInputStreamPtr middle = new DByteArrayInputStream(ten, 3, 2);
    DbyteArrayPtr b = new DbyteArray(4);
    EXPECT_EQ(middle->read(b, 0, 4), 2);
    EXPECT_EQ(textOf(b, 2), "34");
}

TEST(ByteArrayInputStream, SkipStopsAtBothEnds) {
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytesOf("0123456789"));
    EXPECT_EQ(in->skip(5), 5);
    EXPECT_EQ(in->skip(1000), 5);
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->skip(-3), -3);
    EXPECT_EQ(in->read(), '7');
    EXPECT_EQ(in->skip(-100), -8);
    EXPECT_EQ(in->read(), '0');
}

TEST(ByteArrayInputStream, RangesOutsideTheArrayThrowAndLeaveItAlone) {
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytesOf("abcdef"));
    DbyteArrayPtr b = bytesOf("xyz");
    EXPECT_THROW(in->read(b, 2, 2), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(in->read(b, -1, 1), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(in->read(b, 0, -1), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(in->read(DbyteArrayPtr(), 0, 1), DNullPointerExceptionPtr);
    EXPECT_EQ(textOf(b, 3), "xyz");
    EXPECT_EQ(in->available(), 6);
}

TEST(ByteArrayInputStream, AWindowOutsideTheArrayIsRefused) {
    const DbyteArrayPtr ten = bytesOf("0123456789");
    struct Case {
        int offset, length;
    } refused[] = {{-1, 5}, {INT32_MIN, INT32_MAX}, {11, 0}, {3, -1}, {INT32_MAX, INT32_MAX}};
    for (const Case& c : refused)
        EXPECT_THROW(DByteArrayInputStreamPtr(new DByteArrayInputStream(ten, c.offset, c.length)),
                     DIndexOutOfBoundsExceptionPtr)
            << c.offset << ", " << c.length;
    EXPECT_THROW(DByteArrayInputStreamPtr(new DByteArrayInputStream(DbyteArrayPtr(), 0, 1)), DNullPointerExceptionPtr);

    // A length past the end stops at the end, without overflowing.
    DByteArrayInputStreamPtr tail = new DByteArrayInputStream(ten, 7, INT32_MAX);
    EXPECT_EQ(tail->available(), 3);
    EXPECT_EQ(tail->read(), '7');
    DByteArrayInputStreamPtr end = new DByteArrayInputStream(ten, 10, 5);
    EXPECT_EQ(end->available(), 0);
    EXPECT_EQ(end->read(), -1);
}

TEST(ByteArrayInputStream, ClosedStreamIsAtItsEnd) {
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytesOf("abc"));
    in->close();
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(in->read(new DbyteArray(2), 0, 2), -1);
}

TEST(ByteArrayOutputStream, CapacityGrowsIn64ByteSteps) {
    struct Case {
        int singleWrites;
        int arrayWrite;
        int size;
        int capacity;
    } cases[] = {
        {0, 0, 0, 64}, {64, 0, 64, 64}, {65, 0, 65, 128}, {129, 0, 129, 192},
        {0, 10, 10, 64}, {0, 64, 64, 64}, {0, 100, 100, 164}, {1, 64, 65, 129},
    };
    for (const Case& c : cases) {
        DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
        for (int i = 0; i < c.singleWrites; ++i) out->write(i);
        if (c.arrayWrite) out->write(new DbyteArray(c.arrayWrite), 0, c.arrayWrite);
        EXPECT_EQ(out->size(), c.size) << c.singleWrites << " + " << c.arrayWrite;
        EXPECT_EQ(out->toByteArray()->length, c.capacity) << c.singleWrites << " + " << c.arrayWrite;
    }
}

TEST(ByteArrayOutputStream, HandsOutItsOwnBuffer) {
    DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
    out->write(bytesOf("abcd"));
    DbyteArrayPtr held = out->toByteArray();
    EXPECT_EQ(held->length, 64);
    EXPECT_EQ(held[4], 0);
    out->write('e');
    EXPECT_EQ(held[4], 'e');

    out->reset();
    out->write('X');
    out->write('Y');
    EXPECT_EQ(out->size(), 2);
    EXPECT_EQ(out->toByteArray()->length, 64);
    EXPECT_EQ(textOf(out->toByteArray(), 5), "XYcde");
}

TEST(ByteArrayOutputStream, RangesOutsideTheSourceThrowAndWriteNothing) {
    DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
    DbyteArrayPtr b = bytesOf("abc");
    EXPECT_THROW(out->write(b, 1, 3), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(out->write(b, -1, 2), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(out->write(b, 0, -1), DIndexOutOfBoundsExceptionPtr);
    EXPECT_EQ(out->size(), 0);
    out->write(b, 1, 2);
    EXPECT_EQ(textOf(out->toByteArray(), 2), "bc");
}

TEST(StreamBases, ArrayFormsGoByteByByteAndCheckFirst) {
    CountingInput in;
    DbyteArrayPtr b = new DbyteArray(4);
    EXPECT_EQ(in.read(b, 1, 3), 3);
    EXPECT_EQ(in.reads, 3);
    EXPECT_EQ(b[1], 1);
    EXPECT_EQ(in.read(b, 0, 0), 0);
    EXPECT_THROW(in.read(b, 2, 3), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(in.read(DbyteArrayPtr(), 0, 1), DNullPointerExceptionPtr);
    EXPECT_EQ(in.reads, 3);

    CountingOutput out;
    EXPECT_THROW(out.write(bytesOf("abc"), 1, 3), DIndexOutOfBoundsExceptionPtr);
    EXPECT_EQ(out.written, "");
    out.write(bytesOf("abc"), 1, 2);
    out.write(bytesOf("d"));
    EXPECT_EQ(out.written, "bcd");
}
