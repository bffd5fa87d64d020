// The names of new locations: the kind's base with the number after the
// last one in the list, skipping numbers already in use so that no two
// locations of a kind get the same name.
#include "location_names.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "ge_list.h"
#include "scenario.h"

void MakeLocationName(int kind, GE_List *list, char *name)
{
    const char *base = kind == 7 ? "dye release" : kind == 8 ? "cont. release" : "obs. point";
    const size_t length = std::strlen(base);
    int last = 0;
    std::set<int> used;
    const int count = list ? GE_ListCount(list) : 0;
    for (int k = 0; k < count; ++k) {
        Location *l = nullptr;
        // Names that begin with the base less its last character count.
        if (!GE_ListGet(list, k, &l) || !l || std::strncmp(l->name, base, length - 1) != 0)
            continue;
        last = std::strlen(l->name) >= length ? std::atoi(l->name + length) : 0;
        used.insert(last);
    }
    int number = last + 1;
    while (used.count(number))
        ++number;
    std::snprintf(name, SCEN_LOCATION_NAME_LEN, "%s %2.2d", base, number);
}
