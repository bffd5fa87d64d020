// The conformance table of the public ruv_ functions: one row per function,
// run under Wine against the real ruvbase.dll by conformance_test.cpp.
//
// Each family adds its rows in a file of its own, tests/rows_<source>.cpp,
// through a static registrar (the file is picked up by the build):
//
//   #include "conformance.h"
//   using namespace ruvf_test;
//   static Rows rows{
//     Row{ "ruv_vobj_get_parent", "tvobj" }
//       .window([](Ctx &c, RUV_WIN w) { return R(ruv_vobj_get_parent(w)); })
//       .valid([](Ctx &c) { return R(ruv_vobj_get_parent(c.get(Obj::Child))); }),
//     Row{ "ruv_vobj_set_title", "tvobj" }
//       .refuses()
//       .window([](Ctx &c, RUV_WIN w) { ruv_vobj_set_title(w, "x"); return 0; })
//       .refused_type(Obj::TextEdit)
//       .bad("NULL text", 0x00210000, [](Ctx &c) { ruv_vobj_set_title(c.get(Obj::Doc), nullptr); return 0; })
//       .valid([](Ctx &c) { ruv_vobj_set_title(c.get(Obj::Doc), "T"); return 0; })
//       .read_back([](Ctx &c) { return c.title(Obj::Doc) == "T"; }),
//   };
//
// What the driver does with a row:
// - every bad call (.bad, and the window probes that .window implies: NULL,
//   a foreign record with the right tag that the registry does not know, a
//   destroyed window, and the window of .refused_type) must raise its id
//   first, with severity 2, the row's name as the innermost API mark, the
//   row's source name and the request object of .bad(..., req); it must
//   return .failure(...) (default 0) and leave the frame's marks as they
//   were;
// - .valid must raise nothing (dialogs are answered by the dismisser) and
//   .read_back (or .check_result, given the call's result), when given,
//   must hold after it;
// - a .refuses() row's valid call, made inside a real E_UPDATE of a visible
//   window, must raise "Request during E_UPDATE processing", return the
//   failure value and change none of the context's windows (read back
//   through Win32); a .draws() row's valid call must draw there;
// - a .forwarder() row marks nothing: its bad calls' reports (raised by
//   the base library) must not carry its name.
// Calls return the function's result as intptr_t (R(x) converts results
// and pointers; a function without a result returns 0 from the lambda).
// A row whose valid call cannot run here says why in .no_valid(reason).
#ifndef RUVF_CONFORMANCE_H
#define RUVF_CONFORMANCE_H

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "front_fixture.h"
#include "ruv.h"

namespace ruvf_test {

using Call = std::function<intptr_t(Ctx &)>;
using WinCall = std::function<intptr_t(Ctx &, RUV_WIN)>;

// A result as intptr_t (integers sign-extended, pointers as addresses).
template <typename T>
intptr_t R(T v)
{
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<intptr_t>(v);
    else
        return static_cast<intptr_t>(v);
}

struct Bad {
    std::string what;
    RUV_ERRMSG_ID id;
    Call call;
    // The request object the report must name (NULL when not given).
    std::function<void *(Ctx &)> req;
    int32_t severity = RUV_SEV_ERROR;
};

struct Row {
    std::string name;
    std::string source;
    intptr_t failure_value = 0;
    bool refuses_update = false;
    bool draws_in_update = false;
    bool plain_forwarder = false;
    Call valid_call;
    std::string no_valid_reason;
    std::function<bool(Ctx &)> read_back_check;
    std::function<bool(Ctx &, intptr_t)> result_check;
    WinCall window_call;
    RUV_ERRMSG_ID null_window_id = 0x01210002;
    RUV_ERRMSG_ID invalid_window_id = 0x01220002;
    bool probe_destroyed = true;
    std::vector<std::pair<Obj, RUV_ERRMSG_ID>> refused;
    std::vector<Bad> bads;

    Row(std::string n, std::string s) : name(std::move(n)), source(std::move(s)) {}

    Row &failure(intptr_t v) { failure_value = v; return *this; }
    Row &refuses() { refuses_update = true; return *this; }
    Row &draws() { draws_in_update = true; return *this; }
    Row &forwarder() { plain_forwarder = true; return *this; }
    Row &valid(Call c) { valid_call = std::move(c); return *this; }
    Row &no_valid(std::string reason) { no_valid_reason = std::move(reason); return *this; }
    Row &read_back(std::function<bool(Ctx &)> f) { read_back_check = std::move(f); return *this; }
    // The same with the valid call's result.
    Row &check_result(std::function<bool(Ctx &, intptr_t)> f) { result_check = std::move(f); return *this; }
    // The valid call's result must be v (a lambda that checks what it got
    // returns R(true), so answers(1)).
    Row &answers(intptr_t v)
    {
        return check_result([v](Ctx &, intptr_t got) { return got == v; });
    }
    // The member with w in the window argument's place (the other arguments
    // valid): the driver probes NULL, foreign and destroyed windows.
    Row &window(WinCall c) { window_call = std::move(c); return *this; }
    // Ids of the NULL and of the foreign or destroyed probe when they differ
    // from 0x01210002 and 0x01220002 (0: the probe raises nothing).
    Row &window_ids(RUV_ERRMSG_ID null_id, RUV_ERRMSG_ID invalid_id)
    {
        null_window_id = null_id;
        invalid_window_id = invalid_id;
        return *this;
    }
    Row &no_destroyed_probe() { probe_destroyed = false; return *this; }
    // A window of this kind in the window argument raises id.
    Row &refused_type(Obj o, RUV_ERRMSG_ID id = 0x01230001) { refused.push_back({ o, id }); return *this; }
    Row &bad(std::string what, RUV_ERRMSG_ID id, Call c, std::function<void *(Ctx &)> req = nullptr,
             int32_t severity = RUV_SEV_ERROR)
    {
        bads.push_back({ std::move(what), id, std::move(c), std::move(req), severity });
        return *this;
    }
};

// Every registered row, in registration order.
std::vector<Row> &all_rows();

// Registers a family's rows (one static instance per rows_<source>.cpp).
struct Rows {
    Rows(std::initializer_list<Row> rows);
};

} // namespace ruvf_test

#endif
