#include "homingrule.h"

bool HomingRule::Exits::allowed(int way) const {
    const int count = open[0] + open[1] + open[2] + open[3];
    return open[way] && (!back[way] || count < 2);
}

HomingRule::Choice HomingRule::choose(const Exits& exits, int dx, int dy) {
    auto possible = [&](int way) { return exits.open[way] && !exits.back[way]; };
    // Cornered both ways, the eyes try the other side rather than turn back.
    const bool sidewaysBlocked = (dx < 0 && !possible(0)) || (dx > 0 && !possible(1));
    const bool verticalBlocked = (dy < 0 && !possible(2)) || (dy > 0 && !possible(3));
    if (sidewaysBlocked && verticalBlocked) dx = dx < 0 ? 1 : dx > 0 ? -1 : 0;
    Choice choice = {{true, true, true, true}, {}};
    const bool homeward = (dy < 0 && exits.allowed(2)) || (dy > 0 && exits.allowed(3));
    if (homeward && dx == 0) choice.wish[0] = choice.wish[1] = false;
    for (int way = 0; way < 4; ++way) choice.fits[way] = choice.wish[way] && exits.allowed(way) && suits(way, dx, dy);
    return choice;
}

bool HomingRule::suits(int way, int dx, int dy) {
    switch (way) {
        case 0: return dx <= 0;
        case 1: return dx >= 0;
        case 2: return dy <= 0;
        default: return dy >= 0;
    }
}
