#include "velunta/runtime/date_text.h"
