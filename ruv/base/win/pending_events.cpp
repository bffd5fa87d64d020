// Placeholders for the kernel operations that the events module has not
// built yet; each goes when its real definition lands.

#include <stdarg.h>
#include "ruvk.h"

extern "C" {

void ruvk_app_layout_mdi_client(void)
{
}

}
