// Makes the next non-throwing allocations of this test program fail, as when memory runs out.
#pragma once

void failNextAllocations(int count);
