#pragma once
#include "ddamageddataexception.ptr"
#include "dioexception.h"

namespace dfc::io {

// Data of the data archive (or a file beside the program) that cannot be used. Its message is
// the whole diagnostic in the user's terms, what is missing or damaged and where, with nothing
// of the source that noticed it: whoever stops on it prints that one line.
class DDamagedDataException : public DIOException {
public:
    using DIOException::DIOException;
    lang::DStringPtr toString() override { return u"DDamagedDataException"; }

    // Why entries cannot be read that are neither in the data archive nor beside the program;
    // archive: the open archive's path on this machine, or null when none is open.
    static lang::DStringPtr missingReason(const lang::DStringPtr& archive, const lang::DStringPtr& entries);
};

}  // namespace dfc::io
