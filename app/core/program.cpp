#include "core/program.h"
