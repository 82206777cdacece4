#pragma once
#include <cstdint>
#include "animation.h"
#include "animationarray.h"
#include "dprimitives.h"
#include "entity.ptr"
#include "gameimage.h"

// A thing on the river other than the player's plane: an enemy craft, a gun, a vehicle, a
// fuel depot or a bridge. It moves by its kind's behaviour, fires, meets the plane and its
// shot, blows up and draws itself; the kinds' pictures and points are shared by all.
class Entity : public dfc::lang::DObject {
public:
    static constexpr int32_t kindCount = 25;
    static constexpr int32_t bridge = 0, fuelDepot = 24;
    // States.
    static constexpr int32_t active = 0, exploding = 1, gone = 2, passed = 3;
    // Bullet states.
    static constexpr int32_t flying = 0, none = 2;
    static constexpr int32_t bulletSpeed = 4;

    Entity(int kind, int x, int y, int screen);

    // One frame of behaviour.
    void update();
    // Draws the entity with the river's left edge at x0.
    void paint(int x0);
    // Blown up: exploding, its explosion restarted and its points scored.
    void blowUp();
    bool isLower() const { return layer == 0; }

    // The pictures, points, explosions and bullet picture of the kinds, from the loaded
    // properties; and their release. A text without a craft's or the depot's list throws
    // DDamagedDataException naming the key.
    static void loadKinds();
    static void releaseKinds();

    int32_t kind;
    int32_t startX, startY;
    int32_t x, y;
    int32_t layer = 1;
    int32_t width = 0, height = 0;
    bool facingLeft = true;
    int32_t state = active;
    int32_t speed = 2;
    int32_t moveTick = 0, decisionTick = 0;
    int32_t screen;
    AnimationPtr explosion;
    int32_t bulletStartX = 0, bulletX = 0, bulletY = 0, bulletState = none, bulletDx = 0;
    bool onRoad = false;

    static AnimationArrayPtr leftAnimations;
    static AnimationArrayPtr rightAnimations;
    static dfc::lang::DintArrayPtr points;
    static AnimationPtr airExplosion;
    static AnimationPtr groundExplosion;
    static GameImagePtr enemyBullet;

private:
    void move();
    void movePlane();
    void turnAtRandom(int chance);
    void step();
    void movePatrol();
    void fire();
    void moveShooter();
    void meetPlane();
    void meetShot();
    // Blows up or stops the vehicles on the road of this bridge.
    void breakRoad();
    void moveBullet();
    void paintBridgeExplosion(int x0, int screenY);
    bool touchesPlane() const;
    static void fillKinds(const AnimationArrayPtr& table, bool right);
};
