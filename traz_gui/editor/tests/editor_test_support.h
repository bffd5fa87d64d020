// Helpers of the editor's Wine tests: the reports a recorder caught, as
// text for failure messages, and the native window, text and class of a
// window.
#ifndef TRAZ_EDITOR_TEST_SUPPORT_H
#define TRAZ_EDITOR_TEST_SUPPORT_H

#include <cstdio>
#include <string>
#include <vector>

#include "front_fixture.h"
#include "ruvv_attr.h"

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

inline HWND NativeOf(RUV_WIN w)
{
    return reinterpret_cast<HWND>(ruv_vobj_get_attr(w, RUV_ATTR_NATIVE_WINDOW));
}

inline std::string WindowText(HWND hwnd)
{
    char buf[300] = "";
    GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

inline std::string WindowClass(HWND hwnd)
{
    char buf[64] = "";
    GetClassNameA(hwnd, buf, sizeof buf);
    return buf;
}

}  // namespace editor_test

#endif
