#pragma once
// The extension list each filter category falls back to when a profile leaves it empty,
// in category order: audio, video, images, documents, software.

#include <array>

#include "filter/FilterRules.h"

namespace morvane {

inline constexpr std::array<const char*, kFilterCategories> kDefaultExtensionLists = {
    "mp3;wav;mid;wma;", "mpg;avi;mov;mpeg;wmv;", "bmp;jpg;jpeg;gif;tif;", "doc;pdf;", "exe;zip;"};

} // namespace morvane
