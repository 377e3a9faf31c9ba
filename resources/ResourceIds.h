#pragma once
// Names of the resources bound into the executable.
#define TAMAROO_ICON_NAME "MAINICON"
#define TAMAROO_MENU_IMAGES_NAME "MENUIMAGES"  // named bare in Tamaroo.rc
#define TAMAROO_VERSION 0, 1, 0, 0
#define TAMAROO_VERSION_TEXT "0.1.0.0"
