#include "strops/pStringOps.h"
