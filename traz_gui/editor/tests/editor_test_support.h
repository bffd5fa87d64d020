// Helpers of the editor's Wine tests: the reports a recorder caught, as
// text for failure messages.
#ifndef TRAZ_EDITOR_TEST_SUPPORT_H
#define TRAZ_EDITOR_TEST_SUPPORT_H

#include <cstdio>
#include <string>
#include <vector>

#include "front_fixture.h"

namespace editor_test {

inline std::string Reports(const std::vector<ruvf_test::Report> &reports)
{
    std::string s;
    for (const ruvf_test::Report &r : reports) {
        char line[200];
        std::snprintf(line, sizeof line, "[sev %d id 0x%x api '%s' %s:%d] ", r.severity, r.id, r.api.c_str(),
                      r.file.c_str(), r.line);
        s += line;
    }
    return s;
}

}  // namespace editor_test

#endif
