#include "velunta/runtime/number_text.h"
