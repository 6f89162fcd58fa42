#include "options/settings.h"

const char* const DEFAULT_FONT_NAME = "ＭＳ ゴシック";
