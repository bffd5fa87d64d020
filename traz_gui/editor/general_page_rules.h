// Window-free rules of the general pages: file names relative to the
// project directory, the layer text of the hydrodynamics page, and the two
// checks that Save runs before it writes (zoom grid, settling tables),
// each giving the message of a refusal or "" when the scenario may be saved.
#ifndef TRAZ_EDITOR_GENERAL_PAGE_RULES_H
#define TRAZ_EDITOR_GENERAL_PAGE_RULES_H

#include <string>

#include "ge_list.h"
#include "scenario.h"

// The path relative to the project directory: components compared without
// letter case, the path's rest kept as written.  A path without '/', on
// another drive (first character) or with no leading component in common
// comes back unchanged.
std::string ProjectRelativePath(const char *projectDir, const char *path);

// "1 (2D model)", " " for no layers, "%d (3D model)" for two or more.
std::string HydrodynamicLayersText(int layers);

// The zero-area or zero-cell refusal when a recovery table asks for zoom
// grid output; "" otherwise.
std::string ZoomGridMessage(const OutputOptions *output);

// The refusal when the six settling tables differ in rows or in the time
// of a row; "" otherwise.  Any number of substances (columns).
std::string SettlingTablesMessage(const ProcessParameters *process);

// The refusal when the release-rate tables of two or more continuous
// releases (a list of Location pointers) differ in rows or in the time of
// a row; "" otherwise, and for one release or none.
std::string ContinuousReleaseTablesMessage(const GE_List *releases);

#endif
