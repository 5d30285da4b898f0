#pragma once

// System information by index, as the editor and the show ask for it.

#include "platform/system_info.h"

#include <QString>

#include <cstdint>

// The platform name: "Windows 95", "Windows NT" or "Unknown".
QString platformName(platform::PlatformFamily family);

// Index 0 and 2: the platform name; 1: "Version M.mm"; 3: the processor name;
// 4: the processor count; 5: the processor level; 6: the processor revision;
// any other index: the platform name.
QString winVerText(const platform::SystemInfo& info, std::uint8_t index);

// True when the platform is the NT family, whose behaviour the program takes
// on Linux (movies, the highest thread priorities, the retrace switch hidden).
bool isNtFamily(const platform::SystemInfo& info);
