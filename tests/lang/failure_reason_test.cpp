// How a failure is told on a line the user reads: by the exception's own message when it has
// one, else by its kind; never by the source that threw it, which stays its message.
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <string>
#include "dbytearrayinputstream.h"
#include "ddamageddataexception.h"
#include "ddatainputstream.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dhashtable.h"
#include "dioexception.h"
#include "dmediaexception.h"
#include "dstring.h"
#include "text.h"

using namespace dfc::lang;
using dfc::io::DByteArrayInputStream;
using dfc::io::DDataInputStream;

TEST(FailureReason, TellsAnExceptionByItsOwnMessageElseByItsKind) {
    struct Case {
        const char* what;
        std::function<void()> fail;
        const char* told;
    } const cases[] = {
        // Thrown where the library checks, the message only the source's place.
        {"an empty pointer used", [] { DStringPtr()->length(); }, "a value it needs is missing"},
        {"an empty key stored", [] { dfc::util::DHashtable(11, 75).put(DObjectPtr(), DStringPtr(u"v")); },
         "a value it needs is missing"},
        {"an array read past its end", [] { DintArrayPtr(new DintArray(2))[2]; }, "it reached past the end of a table"},
        {"a text cut past its end", [] { DStringPtr(u"ab")->substring(3); }, "it reached past the end of a table"},
        {"a stream read past its end",
         [] { DDataInputStream(new DByteArrayInputStream(new DbyteArray(0))).readByte(); }, "the data ends early"},
        {"a stream that fails", [] { DFC_THROW(dfc::io::DIOException); }, "data it reads cannot be read"},
        {"a state it cannot be in", [] { DFC_THROW(DIllegalStateException); }, "an error inside the program"},
        {"a sound that fails", [] { DFC_THROW(dfc::microedition::media::DMediaException); },
         "an error inside the program"},
        // Made with a message of their own, which says what failed and where in the data.
        {"a refusal of the archive",
         [] {
             throw dfc::io::DIOExceptionPtr(
                 new dfc::io::DIOException(u"the data archive game.dat: it is no 7z archive"));
         },
         "the data archive game.dat: it is no 7z archive"},
        {"damaged data",
         [] {
             throw dfc::io::DDamagedDataExceptionPtr(
                 new dfc::io::DDamagedDataException(u"the text res.txt has no key land"));
         },
         "the text res.txt has no key land"},
        {"an empty message", [] { throw dfc::io::DIOExceptionPtr(new dfc::io::DIOException(u"")); },
         "data it reads cannot be read"},
    };
    for (const Case& c : cases) {
        try {
            c.fail();
            ADD_FAILURE() << c.what << ": nothing thrown";
        } catch (DThrowablePtr& e) {
            EXPECT_EQ(narrow(DFailureReason::of(e)), c.told) << c.what << ": " << narrow(e->getMessage());
        }
    }
}

TEST(FailureReason, TellsTheLanguagesOwnFailuresByKind) {
    EXPECT_EQ(narrow(DFailureReason::of(std::bad_alloc())), "the memory ran out");
    EXPECT_EQ(narrow(DFailureReason::of(std::out_of_range("vector::_M_range_check"))), "an error inside the program");
}
