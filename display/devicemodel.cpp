#include "devicemodel.h"
#include "ce.h"
#include "programwide.h"

namespace {

struct ModelName {
    DeviceModel model;
    const char16_t* name;
};

const ModelName models[] = {
    {MODEL_IPAQ_H3800, u"Compaq iPAQ H3800"}, {MODEL_COMPALE_P6C, u"Compale P6C"},
    {MODEL_TYPHOON, u"Typhoon"},              {MODEL_TOSHIBA_E310, u"Toshiba e310"},
    {MODEL_TOSHIBA_E330, u"Toshiba e330"},    {MODEL_TOSHIBA_E740, u"Toshiba e740"},
    {MODEL_TOSHIBA_E750, u"Toshiba e750"},
};

WCHAR lower(WCHAR c) { return c >= u'A' && c <= u'Z' ? WCHAR(c - u'A' + u'a') : c; }

bool startsWith(const WCHAR* text, const char16_t* prefix) {
    for (; *prefix; ++text, ++prefix)
        if (!*text || lower(*text) != lower(*prefix)) return false;
    return true;
}

struct FoundModel {
    FoundModel() {
        WCHAR oem[260] = {};
        if (SystemParametersInfoW(SPI_GETOEMINFO, 260, oem, 0)) model = DeviceModelOf(oem);
    }
    DeviceModel model = MODEL_UNKNOWN;
};

}  // namespace

DeviceModel DeviceModelOf(const WCHAR* oemInfo) {
    for (const ModelName& m : models)
        if (oemInfo && startsWith(oemInfo, m.name)) return m.model;
    return MODEL_UNKNOWN;
}

DeviceModel GetDeviceModel() { return ProgramWide::Get<FoundModel>().model; }
