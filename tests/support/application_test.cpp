#include "application_test.h"

namespace {

class NamedMidlet : public dfc::microedition::midlet::DMIDlet {
public:
    void destroyApp(bool) override {}
    void pauseApp() override {}
    void startApp() override {}
    void tick() override {}
    dfc::lang::DStringPtr getAppProperty(dfc::lang::DStringPtr name) override {
        return name == u"app.name" ? dfc::lang::DStringPtr(u"mossyard") : dfc::lang::DStringPtr();
    }
};

}  // namespace

void ApplicationTest::SetUp() {
    HeadlessTest::SetUp();
    GameEngine::applicationFactory = [] { return dfc::microedition::midlet::DMIDletPtr(new NamedMidlet()); };
    engine = std::make_unique<GameEngine>();
    ASSERT_TRUE(engine->startMidlet());
}

void ApplicationTest::TearDown() {
    engine->destroy();
    engine.reset();
    HeadlessTest::TearDown();
}
