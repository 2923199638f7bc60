#include "image/status_error.h"
