#pragma once
// The paddle's class is Platform; its files carry the game's prefix beside the platform layer.
#include <cstdint>
#include "animationarray.h"
#include "ball.h"
#include "ballarray.h"
#include "bonusarray.h"
#include "bxmplatform.ptr"
#include "gameimage.h"

// The paddle: where it is and how it moves, its looks and the animated changes between
// them, the capsules it catches and what each one does, its two guns and their bullets, the
// creatures' bomb, and its drawing.
class Platform : public dfc::lang::DObject {
public:
    // Look changes (setState).
    static constexpr int32_t plain = 0, shrink = 1, smallToNormal = 2, grow = 3, bigToNormal = 4, arm = 5,
                             turboJets = 7;
    // Sizes.
    static constexpr int32_t smallSize = 0, normalSize = 1, bigSize = 2;
    // The look animations, by their list names in this order.
    enum Look {
        smallLook,
        desmallLook,
        biggerLook,
        debiggerLook,
        armedLook,
        dearmedLook,
        turboLook,
        deturboLook,
        lookCount
    };

    Platform();

    virtual void loadAnimations();
    virtual void startGunFire();
    virtual void fireBullets();
    virtual void launchBullet(BallPtr ball, int dx);
    virtual bool bulletHits(BallPtr ball);
    virtual void stepBullets();
    // One frame of a bullet: what is in flight in its slot afterwards.
    virtual BallPtr stepBullet(BallPtr inFlight);
    virtual void spawnBonus(int kind, int atX, int atY);
    // Moves the capsules and applies those caught; gives the lives the player has now.
    virtual int catchBonuses(int lives, int ballCount);
    virtual void paint();
    virtual void setState(int newState);
    virtual void move(bool right);
    virtual void reset();

    int32_t width = 30;
    int32_t bottomGap = 5;
    int32_t height = 12;
    int32_t x;
    int32_t y;
    int32_t speed = 3;
    int32_t state = plain;
    int32_t size = normalSize;
    bool turbo = false;
    BallArrayPtr balls;
    int32_t ballsInPlay = 0;
    bool armedGuns = false;
    AnimationArrayPtr looks = new AnimationArray(lookCount);
    AnimationPtr transition;
    AnimationPtr flamesRight;
    AnimationPtr flamesLeft;
    AnimationPtr casingLeft;
    AnimationPtr casingRight;
    AnimationPtr glue;
    AnimationPtr exitSign;
    bool sticky = false;
    // First frames of "turbo", "dearmed", "deturbo", "desmall", "bigger" and "debigger".
    GameImagePtr turboStill;
    GameImagePtr armedStill;
    GameImagePtr deturboStill;
    GameImagePtr smallStill;
    GameImagePtr normalStill;
    GameImagePtr bigStill;
    GameImagePtr body;
    GameImagePtr underlay;
    BonusArrayPtr bonuses;
    int32_t bonusCount = 3;
    bool transforming = false;
    bool movedRight = false;
    bool movedLeft = false;
    BallPtr bulletA;
    BallPtr bulletB;
    BallPtr bulletBall1;
    BallPtr bulletBall2;
    BallPtr bomb;
    int32_t gunLeftX = 0;
    int32_t gunLeftY = 0;
    int32_t gunRightX = 0;
    int32_t gunRightY = 0;
    bool gunFiring = false;

private:
    void applyBonus(int kind, int& lives, int ballCount);
    void changeSize(bool larger);
    void faster();
    void slower();
    void moreBalls(int ballCount);
    // Spawns copies of the balls in play; false when the pool has no free ball left.
    bool splitBalls(int ballCount);
    void restart(const AnimationPtr& animation);
    bool bulletInFlight() const { return bulletA || bulletB; }
    void paintGlue();
    void paintBody();
    void paintFlames();
    void paintCasings();
    void dropBomb();
};
