#pragma once
#include <cstdint>
#include "tnxbag.ptr"

// A gold bag: rests in the earth, wobbles when the earth below opens, falls and breaks into
// gold after two rows or more, and can be pushed sideways one cell at a time.
class Bag : public dfc::lang::DObject {
public:
    static constexpr int32_t wobbleTime = 32, goldTime = 600;

    virtual void reset();
    virtual void place(int atRow, int atColumn);
    virtual void paint(bool showResting);
    virtual void update();

    bool resting() const { return !wobbling && !falling && !breaking && !gold; }
    // Gone from the field: the gold taken or an eater swallowed it.
    void vanish();

    int32_t x = 0, y = 0, column = 0, row = 0, dx = 0, dy = 0;
    int32_t push = 0;
    int32_t wobbleTimer = wobbleTime;
    int32_t goldTimer = goldTime;
    int32_t rowsFallen = 0;
    bool wobbling = false, falling = false, breaking = false, gold = false, active = false;
    int32_t moveDelay = 0;

private:
    void pushRight();
    void pushLeft();
    void fall();
    void land();
    void paintBreaking();
    void paintGold();
    void paintWobbling();
};
