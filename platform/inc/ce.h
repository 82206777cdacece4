// Everything the program sees of the device's operating system.
#pragma once
#include "ce_types.h"
#include "ce_window.h"
#include "ce_gdi.h"
#include "ce_system.h"
#include "ce_library.h"
#include "ce_memory.h"
#include "ce_processor.h"
#include "ce_display.h"
#include "ce_gx.h"
#include "ce_registry.h"
#include "ce_file.h"
#include "ce_memorystatus.h"
