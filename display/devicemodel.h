#pragma once
#include "ce_types.h"

// Devices that need their own handling, known by the start of their OEM text.
enum DeviceModel : DWORD {
    MODEL_UNKNOWN = 0,
    MODEL_IPAQ_H3800 = 1,
    MODEL_COMPALE_P6C = 2,
    MODEL_TYPHOON = 3,
    MODEL_TOSHIBA_E310 = 4,
    MODEL_TOSHIBA_E330 = 5,
    MODEL_TOSHIBA_E740 = 6,
    MODEL_TOSHIBA_E750 = 7,
};

// The model, found once.
DeviceModel GetDeviceModel();

// The model an OEM text names: a table name that the text starts with, in any letter case.
DeviceModel DeviceModelOf(const WCHAR* oemInfo);

// Smartphones whose display libraries must not be used the usual way.
inline bool IsSmartphoneModel(DeviceModel model) { return model == MODEL_COMPALE_P6C || model == MODEL_TYPHOON; }
