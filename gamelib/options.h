#pragma once
#include "dstring.h"

// A game's options, one integer each, in the record store "op_" + key: record 1 holds the
// value as a big-endian int32 followed by 60 zero bytes.
class Options {
public:
    // A failure leaves the old value; it is named on DSystem::err, once a store in a run.
    static void save(const dfc::lang::DStringPtr& key, int value);
    // The saved value, or defaultValue (not written back) when there is none or it cannot be
    // read; a record that cannot be read is named on DSystem::err, once a store in a run.
    static int load(const dfc::lang::DStringPtr& key, int defaultValue);
};
