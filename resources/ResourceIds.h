#pragma once
// Names of the resources bound into the executable.
#define TAMAROO_ICON_NAME "MAINICON"
// The menu pictures: at each size of text::kMenuArtSizes the prefix and the
// size name them (bare in Tamaroo.rc).
#define TAMAROO_MENU_IMAGES_PREFIX "MENUIMAGES"
#include "Version.h"  // TAMAROO_VERSION and TAMAROO_VERSION_TEXT, made by CMake
