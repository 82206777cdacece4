#include "modulepath.h"
#include <algorithm>
#include <string_view>
#include "ce_file.h"

int resolveModulePath(const WCHAR* path, WCHAR (&out)[maxPathLength]) {
    std::u16string_view name(path ? path : u"");
    size_t folder = 0;
    if (name.empty() || name[0] != u'\\') {
        WCHAR module[maxPathLength];
        DWORD length = GetModuleFileNameW(nullptr, module, maxPathLength);
        // A name that filled the buffer may have been cut short.
        if (length == 0 || length >= maxPathLength - 1) return 0;
        size_t slash = std::u16string_view(module, length).rfind(u'\\');
        if (slash == std::u16string_view::npos) return 0;
        folder = slash + 1;
        std::copy_n(module, folder, out);
    }
    if (folder + name.size() >= size_t(maxPathLength)) return 0;
    std::copy(name.begin(), name.end(), out + folder);
    out[folder + name.size()] = 0;
    return int(folder + name.size());
}
