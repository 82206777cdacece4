#include "application_test.h"
#include "idle_midlet.h"

void ApplicationTest::SetUp() {
    HeadlessTest::SetUp();
    GameEngine::applicationFactory = [] {
        auto* application = new IdleMidlet();
        application->properties[u"app.name"] = u"mossyard";
        return dfc::microedition::midlet::DMIDletPtr(application);
    };
    engine = std::make_unique<GameEngine>();
    ASSERT_TRUE(engine->startMidlet());
}

void ApplicationTest::TearDown() {
    engine->destroy();
    engine.reset();
    HeadlessTest::TearDown();
}
