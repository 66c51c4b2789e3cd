// wglUseFontOutlinesA: one display list per character, its outline filled by the GLU
// tessellator and extruded.
#include "platform/layer.h"
