// Internal seams of the evdev driver, shared by its sources and its tests.
#pragma once

#include <sys/types.h>

#include <string>

#include "lvgl.h"

namespace gui::drivers {

// Whether an evdev input device already reads this file (same device and inode).
bool evdev_is_open(dev_t dev, ino_t ino);

// Kind of an input device made by lv_evdev_create.
lv_evdev_type_t evdev_type_of(lv_indev_t * indev);

// Folder that discovery watches; "/dev/input" unless a test points it
// elsewhere. Takes effect at the next lv_evdev_discovery_start().
void evdev_set_discovery_folder(const std::string & folder);

}  // namespace gui::drivers
