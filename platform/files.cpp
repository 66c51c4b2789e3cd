// Read-only files mapped into memory, local memory, and the small user-interface helpers the
// bitmap loader calls.
#include "platform/layer.h"
