#include "drecordstore.h"
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace dfc::microedition::rms {

using lang::DbyteArray;
using lang::DbyteArrayPtr;
using lang::DString;
using lang::DStringArray;
using lang::DStringArrayPtr;
using lang::DStringPtr;

namespace {

constexpr DWORD nameBufferLength = 64;

// The name the frame hands over at start-up.
DStringPtr applicationName;

// "Software\Velloran\" + app.name; null when the application has no name.
DStringPtr applicationPath() {
    if (!applicationName) return DStringPtr();
    return u"Software\\Velloran\\" + applicationName;
}

DStringPtr storePath(const DStringPtr& name) {
    DStringPtr app = applicationPath();
    if (!app) return DStringPtr();
    return app + u"\\" + name;
}

// A record's value name: its id in decimal.
std::u16string valueName(int id) {
    std::string digits = std::to_string(id);
    return std::u16string(digits.begin(), digits.end());
}

// The number a value name starts with, read as "%d" reads it; 0 when it starts with none.
int idOf(const char16_t* name) {
    while (*name == u' ' || (*name >= u'\t' && *name <= u'\r')) ++name;
    bool negative = *name == u'-';
    if (*name == u'-' || *name == u'+') ++name;
    long long value = 0;
    for (; *name >= u'0' && *name <= u'9'; ++name) value = std::min<long long>(value * 10 + (*name - u'0'), INT_MAX);
    return int(negative ? -value : value);
}

// The range [offset, offset + numBytes) of data, cut at its end; a start outside the array
// or a negative count is refused before anything is written.
int clippedCount(const DbyteArrayPtr& data, int offset, int numBytes) {
    if (offset < 0 || offset > data->length || numBytes < 0) DFC_THROW(DRecordStoreException);
    return std::min(numBytes, data->length - offset);
}

}  // namespace

void DRecordStore::setApplicationName(DStringPtr name) { applicationName = name; }

DStringPtr DRecordStore::hostFolder(DStringPtr name) {
    DStringPtr path = storePath(name);
    return new DString(RegHostFolder(HKEY_CURRENT_USER, path ? path->chars() : nullptr).c_str());
}

DRecordStore::~DRecordStore() { closeRecordStore(); }

DRecordStorePtr DRecordStore::openRecordStore(DStringPtr name, bool createIfNecessary) {
    if (!name) DFC_THROW(lang::DIllegalArgumentException);
    DStringPtr path = storePath(name);
    DRecordStorePtr store = new DRecordStore(name);
    LONG result = RegOpenKeyExW(HKEY_CURRENT_USER, path->chars(), 0, 0, &store->key);
    if (result != ERROR_SUCCESS && createIfNecessary)
        result = RegCreateKeyExW(HKEY_CURRENT_USER, path->chars(), 0, nullptr, 0, 0, nullptr, &store->key, nullptr);
    if (result == ERROR_SUCCESS) return store;
    store->key = nullptr;
    // The registry answers a missing key with "file not found".
    if (result == ERROR_NOT_FOUND || result == ERROR_FILE_NOT_FOUND) DFC_THROW(DRecordStoreNotFoundException);
    DFC_THROW(DRecordStoreException);
}

DStringArrayPtr DRecordStore::listRecordStores() {
    DStringPtr path = applicationPath();
    if (!path) return DStringArrayPtr();
    HKEY app = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path->chars(), 0, nullptr, 0, 0, nullptr, &app, nullptr) != ERROR_SUCCESS)
        return DStringArrayPtr();
    DWORD count = 0, longest = 0;
    LONG result = RegQueryInfoKeyW(app, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr);
    DStringArrayPtr names = result == ERROR_SUCCESS ? new DStringArray(int(count)) : nullptr;
    // Room for the longest name, so that no store hides the ones after it.
    std::vector<WCHAR> buffer(std::max(nameBufferLength, longest + 1));
    for (DWORD i = 0; names && i < count; ++i) {
        DWORD length = DWORD(buffer.size());
        if (RegEnumKeyExW(app, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        (*names)[int(i)] = new DString(buffer.data(), int(length));
    }
    RegCloseKey(app);
    return names;
}

void DRecordStore::deleteRecordStore(DStringPtr name) {
    DStringPtr path = storePath(name);
    if (RegDeleteKeyW(HKEY_CURRENT_USER, path->chars()) != ERROR_SUCCESS) DFC_THROW(DRecordStoreNotFoundException);
}

int DRecordStore::getNumRecords() {
    DWORD values = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        DFC_THROW(DRecordStoreNotOpenException);
    return int(values);
}

int DRecordStore::getNextRecordID() {
    int largest = 0;
    WCHAR valueName[nameBufferLength];
    for (DWORD i = 0;; ++i) {
        DWORD length = nameBufferLength;
        if (RegEnumValueW(key, i, valueName, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        largest = std::max(largest, idOf(valueName));
    }
    return largest + 1;
}

void DRecordStore::write(int id, const DbyteArrayPtr& data, int offset, int numBytes) {
    int count = clippedCount(data, offset, numBytes);
    const BYTE* bytes = count > 0 ? reinterpret_cast<const BYTE*>(data->data + offset) : nullptr;
    if (RegSetValueExW(key, valueName(id).c_str(), 0, REG_BINARY, bytes, DWORD(count)) != ERROR_SUCCESS)
        DFC_THROW(DRecordStoreException);
}

int DRecordStore::addRecord(DbyteArrayPtr data, int offset, int numBytes) {
    if (!data) return getNextRecordID();
    if (!key) DFC_THROW(DRecordStoreNotOpenException);
    int id = getNextRecordID();
    write(id, data, offset, numBytes);
    return id;
}

void DRecordStore::setRecord(int id, DbyteArrayPtr data, int offset, int numBytes) {
    if (!key) DFC_THROW(DRecordStoreNotOpenException);
    if (!data) DFC_THROW(lang::DNullPointerException);
    write(id, data, offset, numBytes);
}

void DRecordStore::deleteRecord(int id) {
    if (!key) DFC_THROW(DRecordStoreNotOpenException);
    RegDeleteValueW(key, valueName(id).c_str());
}

int DRecordStore::getRecordSize(int id) {
    if (!key) DFC_THROW(DRecordStoreNotOpenException);
    DWORD size = 0;
    if (RegQueryValueExW(key, valueName(id).c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        DFC_THROW(DRecordStoreException);
    return int(size);
}

DbyteArrayPtr DRecordStore::getRecord(int id) {
    DWORD size = DWORD(getRecordSize(id));
    DbyteArrayPtr record = new DbyteArray(int(size));
    // An empty record has no storage to read into; the size query has found it already.
    if (size > 0 && RegQueryValueExW(key, valueName(id).c_str(), nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(record->data), &size) != ERROR_SUCCESS)
        DFC_THROW(DRecordStoreException);
    return record;
}

int DRecordStore::getRecord(int id, DbyteArrayPtr buffer, int offset) {
    int size = getRecordSize(id);
    if (offset < 0 || offset > buffer->length || buffer->length - offset < size)
        DFC_THROW(lang::DArrayIndexOutOfBoundsException);
    DWORD room = DWORD(size);
    if (size > 0 && RegQueryValueExW(key, valueName(id).c_str(), nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(buffer->data + offset), &room) != ERROR_SUCCESS)
        DFC_THROW(DRecordStoreException);
    return size;
}

void DRecordStore::closeRecordStore() {
    if (key) RegCloseKey(key);
    key = nullptr;
}

}  // namespace dfc::microedition::rms
