// Byte arrays from and to host strings, for tests of the streams.
#pragma once
#include <string>
#include "dprimitives.h"

dfc::lang::DbyteArrayPtr bytesOf(const std::string& bytes);
// The first n bytes of an array; all of them when n is -1.
std::string textOf(const dfc::lang::DbyteArrayPtr& b, int n = -1);
