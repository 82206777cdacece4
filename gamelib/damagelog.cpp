#include "damagelog.h"
#include <cstdint>
#include <unordered_set>
#include "dprintstream.h"
#include "dsystem.h"

using dfc::lang::DStringPtr;
using dfc::lang::DSystem;

namespace {

// What has been named on the stream standard error is now: a new stream has been told nothing.
// The stream is held so that no other takes its place unseen.
struct Named {
    dfc::io::DPrintStreamPtr stream;
    std::unordered_set<uint64_t> digests;
    bool full = false;
};

Named& kept() {
    static Named faults;
    if (faults.stream.get() != DSystem::err.get()) faults = Named{DSystem::err, {}, false};
    return faults;
}

// FNV-1a over the text's code units: a fault is known by its digest, never held whole.
uint64_t digestOf(const DStringPtr& fault) {
    uint64_t digest = 14695981039346656037u;
    for (int32_t i = 0; i < fault->length(); ++i) {
        const char16_t unit = fault->charAt(i);
        digest = (digest ^ (unit & 0xFF)) * 1099511628211u;
        digest = (digest ^ (unit >> 8)) * 1099511628211u;
    }
    return digest;
}

void print(const DStringPtr& line) {
    if (DSystem::err) DSystem::err->println(line);
}

}  // namespace

void DamageLog::name(const DStringPtr& fault, const DStringPtr& line) {
    Named& faults = kept();
    const uint64_t digest = digestOf(fault);
    if (faults.full || faults.digests.count(digest)) return;
    if (faults.digests.size() == capacity) {
        faults.full = true;
        print(u"more damaged data than can be told: what else is damaged goes unnamed");
        return;
    }
    faults.digests.insert(digest);
    print(line);
}

void DamageLog::name(const DStringPtr& line) { name(line, line); }
