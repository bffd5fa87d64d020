// Conformance rows of the string-list functions (tslist).
#include "conformance.h"

#include <cstring>

using namespace ruvf_test;

namespace {

// A list of the row ("a", "b"), destroyed with it.
struct List {
    struct SLIST *l = ruv_slist_create();
    List()
    {
        ruv_slist_add_at_pos(l, -1, "b", 2);
        ruv_slist_add_at_pos(l, 0, "a", 1);
    }
    ~List() { ruv_slist_destroy(l); }
    operator struct SLIST *() const { return l; }
};

// Something that is not a list (its first byte is not the list tag).
struct SLIST *not_a_list()
{
    static char text[] = "not a list";
    return reinterpret_cast<struct SLIST *>(text);
}

// The probes of a member whose list may be NULL: only an invalid list is
// refused.
Row passes_null(const char *name, std::function<intptr_t(struct SLIST *)> call, intptr_t failure = 0)
{
    return Row{ name, "tslist" }
        .failure(failure)
        .bad("invalid list", 0x01220008, [call](Ctx &) { return call(not_a_list()); })
        .valid([call](Ctx &) { List l; return call(l); });
}

// The probes of a member that needs a list: NULL and invalid lists.
Row needs_list(const char *name, std::function<intptr_t(struct SLIST *)> call)
{
    return Row{ name, "tslist" }
        .bad("NULL list", 0x0121000A, [call](Ctx &) { return call(nullptr); })
        .bad("invalid list", 0x01220008, [call](Ctx &) { return call(not_a_list()); })
        .valid([call](Ctx &) { List l; return call(l); });
}

} // namespace

static Rows rows{
    Row{ "ruv_slist_create", "tslist" }
        .valid([](Ctx &) { struct SLIST *l = ruv_slist_create(); ruv_slist_destroy(l); return R(l); }),
    Row{ "ruv_slist_destroy", "tslist" }
        .bad("invalid list", 0x01220008, [](Ctx &) { ruv_slist_destroy(not_a_list()); return 0; })
        .valid([](Ctx &) {
            ruv_slist_destroy(nullptr);
            ruv_slist_destroy(ruv_slist_create());
            return 0;
        }),
    passes_null("ruv_slist_count", [](struct SLIST *l) { return R(ruv_slist_count(l)); }, -1)
        .read_back([](Ctx &) { List l; return ruv_slist_count(l) == 2 && ruv_slist_count(nullptr) == 0; }),
    passes_null("ruv_slist_debug", [](struct SLIST *l) { ruv_slist_debug(l); return 0; }),
    passes_null("ruv_slist_get_first", [](struct SLIST *l) { return R(ruv_slist_get_first(l)); }),
    needs_list("ruv_slist_get_next", [](struct SLIST *l) { return R(ruv_slist_get_next(l, nullptr)); }),
    needs_list("ruv_slist_get",
               [](struct SLIST *l) { intptr_t d; return R(ruv_slist_get(l, ruv_slist_is_valid(l) ? ruv_slist_get_first(l) : nullptr, &d)); }),
    needs_list("ruv_slist_get_elt", [](struct SLIST *l) { intptr_t d; return R(ruv_slist_get_elt(l, 1, &d)); })
        .read_back([](Ctx &) {
            List l;
            intptr_t d = 0;
            const char *s = ruv_slist_get_elt(l, 1, &d);
            return s && std::strcmp(s, "b") == 0 && d == 2;
        }),
    Row{ "ruv_slist_get_data", "tslist" }
        .bad("NULL element", 0x00210000, [](Ctx &) { return R(ruv_slist_get_data(nullptr)); })
        .valid([](Ctx &) { List l; return R(ruv_slist_get_data(ruv_slist_get_first(l))); })
        .read_back([](Ctx &) { List l; intptr_t *d = ruv_slist_get_data(ruv_slist_get_first(l)); return d && *d == 1; }),
    needs_list("ruv_slist_add_at_elt", [](struct SLIST *l) { return R(ruv_slist_add_at_elt(l, nullptr, "c", 3)); })
        .bad("NULL text", 0x00210000, [](Ctx &) { List l; return R(ruv_slist_add_at_elt(l, nullptr, nullptr, 3)); }),
    needs_list("ruv_slist_add_at_pos", [](struct SLIST *l) { return R(ruv_slist_add_at_pos(l, 0, "c", 3)); })
        .bad("NULL text", 0x00210000, [](Ctx &) { List l; return R(ruv_slist_add_at_pos(l, 0, nullptr, 3)); }),
    needs_list("ruv_slist_add_sorted", [](struct SLIST *l) { return R(ruv_slist_add_sorted(l, "ab", 3, 1, 0)); })
        .bad("NULL text", 0x00210000, [](Ctx &) { List l; return R(ruv_slist_add_sorted(l, nullptr, 3, 1, 0)); })
        .read_back([](Ctx &) {
            List l;
            ruv_slist_add_sorted(l, "ab", 3, 1, 0);
            const char *s = ruv_slist_get_elt(l, 1, nullptr);
            return s && std::strcmp(s, "ab") == 0;
        }),
    needs_list("ruv_slist_rem", [](struct SLIST *l) { return R(ruv_slist_rem(l, ruv_slist_is_valid(l) ? ruv_slist_get_first(l) : nullptr)); })
        .bad("NULL element", 0x00210000, [](Ctx &) { List l; return R(ruv_slist_rem(l, nullptr)); }),
    Row{ "ruv_slist_is_valid", "tslist" }
        .valid([](Ctx &) { List l; return R(ruv_slist_is_valid(l)); })
        .read_back([](Ctx &) { List l; return ruv_slist_is_valid(l) && !ruv_slist_is_valid(not_a_list()); }),
};
