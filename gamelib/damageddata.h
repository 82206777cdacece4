// Data of game.dat (or a file beside the program) that cannot be used. Its message is the
// whole diagnostic in the user's terms: what was damaged and where, with nothing of the
// source that noticed it; whoever stops on it prints that one line.
#pragma once
#include "damageddata.ptr"
#include "dioexception.h"

class DamagedData : public dfc::io::DIOException {
public:
    using DIOException::DIOException;
    dfc::lang::DStringPtr toString() override { return u"DamagedData"; }
};
