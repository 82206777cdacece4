#pragma once
#include "dtypedarray.h"
#include "enemy.ptr"
#include "enemyarray.ptr"

class EnemyArray : public dfc::lang::DTypedArray<EnemyPtr> {
public:
    using DTypedArray::DTypedArray;
};
