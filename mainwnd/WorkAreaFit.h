// Where the captionless main window goes when it fills the desktop work area.
#pragma once
#include "framework/Geometry.h"

// The window rectangle for a work area and the taskbar's screen rectangle (empty when there is
// no taskbar). The window takes the work area's size; its origin is (0, 0) unless the taskbar
// is docked at the top (then it starts below it) or at the left (then it starts right of it).
CRect WorkAreaWindowRect(const CRect& rcTaskbar, const CRect& rcWorkArea);
