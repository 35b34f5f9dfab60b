#include "velunta/runtime/date_value.h"
