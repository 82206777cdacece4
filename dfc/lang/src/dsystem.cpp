#include "dsystem.h"
#include <cstring>
#include <string>
#include <type_traits>
#include "ce.h"
#include "dexception.h"
#include "dprintstream.h"

namespace dfc::lang {

io::DPrintStreamPtr DSystem::out;
io::DPrintStreamPtr DSystem::err;

namespace {

std::u16string& archivePassword() {
    static std::u16string password;
    return password;
}

// The executable's folder without its trailing backslash; a name without one stays whole.
DStringPtr executableDirectory() {
    WCHAR path[260 + 1] = {};
    GetModuleFileNameW(nullptr, path, 260);
    std::u16string_view name(path);
    size_t cut = name.rfind(u'\\');
    if (cut != std::u16string_view::npos) name = name.substr(0, cut);
    return new DString(name.data(), int(name.size()));
}

DStringPtr platformType() {
    WCHAR type[256] = {};
    SystemParametersInfoW(SPI_GETPLATFORMTYPE, 255, type, 0);
    return new DString(type);
}

// Moves n elements within or between arrays; overlapping ranges come out as they were.
template <class T>
void moveElements(T* from, T* to, int n) {
    if (n <= 0) return;
    if constexpr (std::is_trivially_copyable_v<T>) {
        std::memmove(to, from, sizeof(T) * size_t(n));
    } else if (to < from) {
        for (int i = 0; i < n; ++i) to[i] = from[i];
    } else {
        for (int i = n - 1; i >= 0; --i) to[i] = from[i];
    }
}

template <class P>
void copyArray(const P& src, int srcPos, const P& dst, int dstPos, int length) {
    if (!src || !dst) DFC_THROW(DNullPointerException);
    auto& from = *src;
    auto& to = *dst;
    if (srcPos < 0 || dstPos < 0 || length < 0 || srcPos > from.length || dstPos > to.length)
        DFC_THROW(DIndexOutOfBoundsException);
    int n = length < to.length - dstPos ? length : to.length - dstPos;
    if (&from != &to) {
        if (n > from.length - srcPos) n = from.length - srcPos;
    } else if (n > from.length - srcPos) {
        DFC_THROW(DArrayIndexOutOfBoundsException);
    }
    moveElements(from.data + srcPos, to.data + dstPos, n);
}

}  // namespace

DStringPtr DSystem::getProperty(const DStringPtr& key) {
    if (key == u"file.separator") return u"\\";
    if (key == u"app.fullpath") return executableDirectory();
    if (key == u"archive.name") return u"game.dat";
    if (key == u"archive.password") return new DString(archivePassword().c_str());
    if (key == u"platform.type") return platformType();
    return DStringPtr();
}

void DSystem::setArchivePassword(const DStringPtr& password) {
    archivePassword() = password ? std::u16string(password->chars(), size_t(password->length())) : std::u16string();
}

void DSystem::arraycopy(const DObjectArrayPtr& src, int srcPos, const DObjectArrayPtr& dst, int dstPos, int length) {
    copyArray(src, srcPos, dst, dstPos, length);
}

void DSystem::arraycopy(const DboolArrayPtr& src, int srcPos, const DboolArrayPtr& dst, int dstPos, int length) {
    copyArray(src, srcPos, dst, dstPos, length);
}

void DSystem::arraycopy(const DbyteArrayPtr& src, int srcPos, const DbyteArrayPtr& dst, int dstPos, int length) {
    copyArray(src, srcPos, dst, dstPos, length);
}

void DSystem::arraycopy(const DcharArrayPtr& src, int srcPos, const DcharArrayPtr& dst, int dstPos, int length) {
    copyArray(src, srcPos, dst, dstPos, length);
}

void DSystem::arraycopy(const DshortArrayPtr& src, int srcPos, const DshortArrayPtr& dst, int dstPos, int length) {
    copyArray(src, srcPos, dst, dstPos, length);
}

void DSystem::arraycopy(const DintArrayPtr& src, int srcPos, const DintArrayPtr& dst, int dstPos, int length) {
    copyArray(src, srcPos, dst, dstPos, length);
}

void DSystem::arraycopy(const DlongArrayPtr& src, int srcPos, const DlongArrayPtr& dst, int dstPos, int length) {
    copyArray(src, srcPos, dst, dstPos, length);
}

}  // namespace dfc::lang
