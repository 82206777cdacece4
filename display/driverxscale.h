#pragma once
#include "lcddriver.h"

class DriverXScale : public LcdDriver {
public:
    DriverXScale();

private:
    void SetScanWindow() override;
    bool ScanInWindow() const override;
};
