#pragma once
// Names of the resources bound into the executable.
#define TAMAROO_ICON_NAME "MAINICON"
#define TAMAROO_MENU_IMAGES_NAME "MENUIMAGES"  // named bare in Tamaroo.rc
#include "Version.h"                           // TAMAROO_VERSION and TAMAROO_VERSION_TEXT, made by CMake
