#include <gtest/gtest.h>
#include <sys/resource.h>
#include <csignal>
#include <string>
#include "app_folder_test.h"
#include "byte_arrays.h"
#include "dbytearrayoutputstream.h"
#include "dfileinputstream.h"
#include "dfileoutputstream.h"
#include "dioexception.h"
#include "dprintstream.h"
#include "platform.h"
#include "text.h"

using namespace dfc::io;
using namespace dfc::lang;

class FileStreams : public AppFolderTest {};

TEST_F(FileStreams, NamesAreJoinedToTheExecutablesFolderAsTheyStand) {
    platform::setModulePath(folder.file("X/run.exe"));
    folder.write("X/charset.dat", "abc");
    EXPECT_EQ(DFileInputStream::open(u"/charset.dat")->read(), 'a');

    // No separator is added: "a/b.txt" is b.txt in the folder beside X named "Xa".
    folder.write("Xa/b.txt", "x");
    EXPECT_EQ(DFileInputStream::open(u"a/b.txt")->read(), 'x');
    EXPECT_THROW(DFileInputStream::open(DStringPtr()), DNullPointerExceptionPtr);
}

TEST_F(FileStreams, MissingFileNamesItsFullPath) {
    try {
        DFileInputStream::open(u"/sub/missing.dat");
        FAIL();
    } catch (DFileNotFoundExceptionPtr& e) {
        EXPECT_EQ(std::u16string(e->getMessage()->chars()), u"File: " + appPath() + u"\\sub\\missing.dat not found.");
        EXPECT_EQ(narrow(e->toString()), "DFileNotFoundException");
    }
    EXPECT_THROW(DFileInputStream::open(u"/"), DIOExceptionPtr);
}

TEST_F(FileStreams, EndOfFile) {
    folder.write("five", "12345");
    DFileInputStreamPtr in = DFileInputStream::open(u"/five");
    DbyteArrayPtr b = new DbyteArray(4);
    EXPECT_EQ(in->read(b, 0, 4), 4);
    EXPECT_EQ(in->available(), 1);
    EXPECT_EQ(in->read(b, 0, 4), 1);
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->read(b, 0, 4), -1);
    EXPECT_THROW(in->read(), DEOFExceptionPtr);
    in->reset();
    EXPECT_EQ(in->read(), '1');
}

TEST_F(FileStreams, BadArrayArguments) {
    folder.write("five", "12345");
    DFileInputStreamPtr in = DFileInputStream::open(u"/five");
    DbyteArrayPtr b = new DbyteArray(4);
    EXPECT_THROW(in->read(b, 0, 0), DIOExceptionPtr);
    EXPECT_THROW(in->read(new DbyteArray(0)), DIOExceptionPtr);
    EXPECT_THROW(in->read(DbyteArrayPtr(), 0, 1), DIOExceptionPtr);
    EXPECT_THROW(in->read(b, 5, 1), DIOExceptionPtr);
    // Ranges the device left untested: refused before anything is read into the array.
    EXPECT_THROW(in->read(b, 2, 3), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(in->read(b, -1, 2), DIndexOutOfBoundsExceptionPtr);
    EXPECT_EQ(in->available(), 5);

    DFileOutputStreamPtr out = DFileOutputStream::open(u"/out");
    EXPECT_THROW(out->write(b, 0, 0), DIOExceptionPtr);
    EXPECT_THROW(out->write(b, 3, 2), DIndexOutOfBoundsExceptionPtr);
}

TEST_F(FileStreams, SkipMayPassTheEndButNotTheStart) {
    folder.write("ten", "0123456789");
    DFileInputStreamPtr in = DFileInputStream::open(u"/ten");
    EXPECT_EQ(in->skip(5), 5);
    EXPECT_EQ(in->skip(10), 10);
    EXPECT_EQ(in->available(), -5);
    EXPECT_EQ(in->skip(-12), -12);
    EXPECT_EQ(in->read(), '3');
    EXPECT_THROW(in->skip(-10), DIOExceptionPtr);
}

TEST_F(FileStreams, OutputEmptiesTheFileAndWritesEveryByte) {
    folder.write("record", "old contents");
    DFileOutputStreamPtr out = DFileOutputStream::open(u"/record");
    EXPECT_EQ(folder.read("record"), "");
    out->write('n');
    out->write(bytesOf("-ew-"), 1, 2);
    out->write(bytesOf("!"));
    out->flush();
    out->close();
    out->close();
    EXPECT_EQ(folder.read("record"), "new!");
    EXPECT_THROW(out->write('x'), DIOExceptionPtr);
    EXPECT_THROW(DFileOutputStream::open(u"/no/such/folder/file"), DIOExceptionPtr);
}

TEST_F(FileStreams, ClosingTwiceDoesNothingTheSecondTime) {
    folder.write("a", "a");
    DFileInputStreamPtr in = DFileInputStream::open(u"/a");
    in->close();
    in->close();
    EXPECT_THROW(in->read(), DIOExceptionPtr);
}

TEST_F(FileStreams, AWriteThatStoresOnlyPartIsAFailure) {
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);

    DFileOutputStreamPtr out = DFileOutputStream::open(u"/full");
    EXPECT_THROW(out->write(bytesOf("123456")), DIOExceptionPtr);
    EXPECT_THROW(out->write('7'), DIOExceptionPtr);

    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(folder.read("full"), "1234");
}

TEST_F(FileStreams, PrintStreamLinesEndInCarriageReturnLineFeed) {
    DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
    DPrintStreamPtr print = new DPrintStream(bytes);
    print->println(u"ab");
    print->print(u"\u20ac");
    EXPECT_EQ(textOf(bytes->toByteArray(), bytes->size()), "ab\r\n\xac");

    DPrintStreamPtr file = new DPrintStream(DFileOutputStream::open(u"/log.txt"));
    file->println(u"");
    file->println(u"x");
    file->close();
    EXPECT_EQ(folder.read("log.txt"), "\r\nx\r\n");
}

// The program's standard output is one of these: every call, a null line included, is taken
// without a fault.
TEST_F(FileStreams, PrintStreamWithoutTargetAcceptsEverything) {
    DPrintStreamPtr print = new DPrintStream(DOutputStreamPtr());
    EXPECT_NO_THROW({
        print->println(u"lost");
        print->println(DStringPtr());
        print->write(1);
        print->write(bytesOf("ab"));
        print->write(bytesOf("ab"), 0, 2);
        print->flush();
        print->close();
        print->finalize();
    });
}
