// Gives the interface its meta-object (its signals).
#include "app/tray/tray_icon_host.h"
