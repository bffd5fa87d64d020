// Conformance rows of the dialog functions (tdlg) and the memory functions
// (tmem).
#include "conformance.h"
#include "ruvv_res.h"

using namespace ruvf_test;

namespace {

int32_t quiet(RUV_WIN, RUV_EVENT *)
{
    return 0;
}

// A modeless dialog with one push button and one more element of the given
// type, ended by type 0.
struct DialogDef {
    RUV_WIN_DEF e[4]{};
    explicit DialogDef(int32_t extra = 12)
    {
        e[0].type = 11;
        e[0].rect = RUV_RECT{ 40, 40, 200, 300 };
        e[0].title = const_cast<char *>("Dialog");
        e[1].type = 12;
        e[1].rect = RUV_RECT{ 10, 10, 34, 110 };
        e[1].title = const_cast<char *>("OK");
        e[1].u.ctl.ctl_id = 1;
        e[2].type = extra;
        e[2].rect = RUV_RECT{ 50, 10, 74, 110 };
        e[2].title = const_cast<char *>("More");
        e[2].u.ctl.ctl_id = 2;
    }
};

intptr_t made(RUV_WIN w)
{
    if (w)
        ruv_vobj_destroy(w);
    return R(w);
}

} // namespace

static Rows rows{
    Row{ "ruv_dlg_create_def", "tdlg" }
        .refuses()
        .bad("NULL definition", 0x00210000, [](Ctx &) { return made(ruv_dlg_create_def(nullptr, 0, quiet, nullptr)); })
        .bad("NULL handler", 0x0121000C,
             [](Ctx &) { DialogDef d; return made(ruv_dlg_create_def(d.e, 0, nullptr, nullptr)); })
        .bad("dialog flag 4", 0x01520006,
             [](Ctx &) { DialogDef d; d.e[0].u.dlg.flags = 4; return made(ruv_dlg_create_def(d.e, 0, quiet, nullptr)); })
        .bad("a text edit", 0x0152000C,
             [](Ctx &) { DialogDef d(23); return made(ruv_dlg_create_def(d.e, 0, quiet, nullptr)); })
        .bad("a notebook", 0x01220002,
             [](Ctx &) { DialogDef d(25); return made(ruv_dlg_create_def(d.e, 0, quiet, nullptr)); })
        .valid([](Ctx &) {
            DialogDef d;
            RUV_WIN w = ruv_dlg_create_def(d.e, RUV_EVENT_MASK_ALL, quiet, nullptr);
            bool shown = w && FindWindowA(nullptr, "Dialog");
            made(w);
            return R(shown);
        }),
    Row{ "ruv_dlg_create_res", "tdlg" }
        .refuses()
        .bad("type 9", 0x01230005, [](Ctx &) { return made(ruv_dlg_create_res(9, 100, 0, quiet, nullptr)); })
        .bad("resource 30000", 0x01250001, [](Ctx &) { return made(ruv_dlg_create_res(11, 30000, 0, quiet, nullptr)); })
        .bad("NULL handler", 0x0121000C, [](Ctx &) { return made(ruv_dlg_create_res(11, 100, 0, nullptr, nullptr)); })
        .no_valid("the table's program has no dialog resources; dialog_test makes one from a resource"),
    Row{ "ruv_mem_alloc", "tmem" }.valid([](Ctx &) { void *p = ruv_mem_alloc(16); ruv_mem_free(p); return R(p != nullptr); }),
    Row{ "ruv_mem_zalloc", "tmem" }.valid([](Ctx &) {
        auto *p = static_cast<unsigned char *>(ruv_mem_zalloc(8));
        bool zero = p && p[0] == 0 && p[7] == 0;
        ruv_mem_free(p);
        return R(zero);
    }).answers(1),
    Row{ "ruv_mem_realloc", "tmem" }.valid([](Ctx &) {
        void *p = ruv_mem_realloc(nullptr, 8);
        p = ruv_mem_realloc(p, 64);
        ruv_mem_free(p);
        return R(p != nullptr);
    }),
    Row{ "ruv_mem_free", "tmem" }.valid([](Ctx &) { ruv_mem_free(nullptr); return 0; }),
    Row{ "ruv_mem_rep", "tmem" }
        .bad("NULL destination", 0x00210000, [](Ctx &) { char s[2] = "a"; return R(ruv_mem_rep(nullptr, s, 1, 1)); })
        .bad("NULL source", 0x00210000, [](Ctx &) { char d[2]; return R(ruv_mem_rep(d, nullptr, 1, 1)); })
        .valid([](Ctx &) {
            char d[7] = "";
            ruv_mem_rep(d, "ab", 2, 3);
            return R(std::string(d, 6) == "ababab");
        })
        .answers(1),
};
