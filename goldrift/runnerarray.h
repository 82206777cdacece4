#pragma once
#include "dtypedarray.h"
#include "runner.ptr"
#include "runnerarray.ptr"

class RunnerArray : public dfc::lang::DTypedArray<RunnerPtr> {
public:
    using DTypedArray::DTypedArray;
};
