// Placeholders for the kernel operations that the services module has not
// built yet; each goes when its real definition lands.

#include "ruvk.h"

extern "C" {

}
