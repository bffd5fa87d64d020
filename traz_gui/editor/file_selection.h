// File selection of the general pages: SelectFile and ToForwardSlashes,
// declared for the scenario model in editor_services.h.
#ifndef TRAZ_EDITOR_FILE_SELECTION_H
#define TRAZ_EDITOR_FILE_SELECTION_H

#include "editor_services.h"

#endif
