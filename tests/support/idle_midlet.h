// An application that does nothing by itself and answers the properties it is given.
#pragma once
#include <map>
#include <string>
#include "dmidlet.h"

class IdleMidlet : public dfc::microedition::midlet::DMIDlet {
public:
    void destroyApp(bool) override {}
    void pauseApp() override {}
    void startApp() override {}
    void tick() override {}
    dfc::lang::DStringPtr getAppProperty(dfc::lang::DStringPtr name) override {
        auto found = properties.find(std::u16string(name->chars(), size_t(name->length())));
        return found == properties.end() ? dfc::lang::DStringPtr() : dfc::lang::DStringPtr(found->second.c_str());
    }

    std::map<std::u16string, std::u16string> properties;
};
