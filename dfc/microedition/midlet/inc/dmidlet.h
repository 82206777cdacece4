#pragma once
#include "ddisplay.ptr"
#include "dmidlet.ptr"
#include "dstring.h"

namespace dfc::microedition::midlet {

// The application's life cycle as the frame drives it.
class DMIDlet : public lang::DObject {
public:
    DMIDlet();
    ~DMIDlet() override;

    virtual void destroyApp(bool unconditional) = 0;
    virtual void pauseApp() = 0;
    virtual void startApp() = 0;
    virtual void tick() = 0;
    virtual lang::DStringPtr getAppProperty(lang::DStringPtr name);

    void notifyDestroyed() { alive = 0; }
    bool isAlive() const { return alive != 0; }

    // The application made last; the display and canvas find it here.
    static DMIDletPtr getCurrent();

    int32_t alive = 1;
    lcdui::DDisplayPtr display;
};

}  // namespace dfc::microedition::midlet
