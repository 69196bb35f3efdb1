#include "sim/hidparse/hid_parser.h"
