#include "headless_test.h"
