// What each system's side of the seam supplies to the shared part (common.cpp).
#pragma once
#include "platform/platform.h"

void PL_OsGetLocalTime(PL_SYSTEMTIME *st);
uint32_t PL_OsGetTickCount();
