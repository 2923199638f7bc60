#include "link/link_messages.h"
