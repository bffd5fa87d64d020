// The names the location pages give new locations: the kind's base and the
// next number not yet in use.
#ifndef TRAZ_EDITOR_LOCATION_NAMES_H
#define TRAZ_EDITOR_LOCATION_NAMES_H

struct GE_List;

// The base "dye release" (kind 7), "cont. release" (8) or "obs. point"
// (10), a blank and two digits into name (room for 40 characters): the
// number after that of the last name of the kind in list order, past the
// numbers the list's names of the kind already use; 01 when there is none.
void MakeLocationName(int kind, GE_List *list, char *name);

#endif
