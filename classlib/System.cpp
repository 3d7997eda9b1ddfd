#include "classlib/System.h"

// The root exception's class reference is made here once, so that every unit shares it.
static const TClass g_exceptionClass = Exception::StaticClass();
