#include "src/core/Version.h"
