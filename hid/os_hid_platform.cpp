#include "hid/hid_platform.h"
