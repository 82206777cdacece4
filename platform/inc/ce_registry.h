// The registry: keys holding named values. Kept on disk under the user's data folder.
#pragma once
#include <string>
#include "ce_error.h"
#include "ce_types.h"

struct PlatformRegKey;
using HKEY = PlatformRegKey*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
struct SECURITY_ATTRIBUTES;

extern const HKEY HKEY_CURRENT_USER;

constexpr DWORD REG_BINARY = 3;

// A value holds at most 1 MiB, the registry's classic limit; a larger one is refused when
// written, and taken for damage, unread, when found.
constexpr DWORD registryValueLimit = 1 << 20;

constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM access,
                     SECURITY_ATTRIBUTES* security, PHKEY result, LPDWORD disposition);
LONG RegCloseKey(HKEY key);
// Deletes the key with everything below it.
LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);
LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, LPDWORD classLength, LPDWORD reserved, LPDWORD subKeys,
                      LPDWORD maxSubKeyLength, LPDWORD maxClassLength, LPDWORD values, LPDWORD maxValueNameLength,
                      LPDWORD maxValueLength, LPDWORD securityDescriptorLength, FILETIME* lastWriteTime);
// Names are counted in characters: *nameLength holds the buffer's size, terminator included, and
// comes back as the name's length without it.
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameLength, LPDWORD reserved, LPWSTR keyClass,
                   LPDWORD classLength, FILETIME* lastWriteTime);
LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameLength, LPDWORD reserved, LPDWORD type,
                   LPBYTE data, LPDWORD dataLength);
// A value is replaced whole: a reader sees the old or the new data, even after a crash.
LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD dataLength);
// Without a data buffer only the type and the size are answered.
LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataLength);
LONG RegDeleteValueW(HKEY key, LPCWSTR name);

// For messages, in host terms: why this thread's latest registry call failed, in the system's
// words ("Not a directory"); empty after a success or a failure the system gave no reason for.
std::u16string RegFailureReason();
// The host folder of the key subKey below key.
std::u16string RegHostFolder(HKEY key, LPCWSTR subKey);
