// Conformance rows of the file-system functions: NULL records, texts and
// specifications, a specification that names no file, and valid calls on a
// file made in the test's own directory.
#include <cstdio>
#include <cstring>
#include <string>

#include "conformance.h"
#include "fsys_spec.h"
#include "ruvv_list.h"

using namespace ruvf_test;

namespace {

// A small file named leaf in the current directory.
RUV_FILE_SPEC made_file(const char *leaf)
{
    if (FILE *f = std::fopen(leaf, "wb")) {
        std::fputs("front layer\n", f);
        std::fclose(f);
    }
    return spec_of(leaf);
}

// A valid call whose answer is its check.
bool answered_true(Ctx &, intptr_t result)
{
    return result != 0;
}

bool exists(const char *leaf)
{
    return GetFileAttributesA(leaf) != INVALID_FILE_ATTRIBUTES;
}

Rows rows{
    Row{ "ruv_fsys_set_file_attr", "tfsys" }
        .bad("NULL specification", 0x00210000, [](Ctx &) { return R(ruv_fsys_set_file_attr(nullptr, 11, "ABCD")); })
        .bad("no file name", 0x01530001,
             [](Ctx &) { RUV_FILE_SPEC s = spec_of(""); return R(ruv_fsys_set_file_attr(&s, 11, "ABCD")); })
        .bad("a file that is not there", 0x01530001,
             [](Ctx &) { RUV_FILE_SPEC s = spec_of("no_such_file.txt"); return R(ruv_fsys_set_file_attr(&s, 11, "ABCD")); })
        .valid([](Ctx &) {
            RUV_FILE_SPEC s = made_file("fsys_attr.txt");
            RUV_BOOL ok = ruv_fsys_set_file_attr(&s, 14, "TEXT");
            std::remove("fsys_attr.txt");
            return R(ok && std::strncmp(s.type, "TEXT", 4) == 0);
        })
        .check_result(answered_true),

    Row{ "ruv_fsys_get_file_attr", "tfsys" }
        .failure(-1)
        .bad("NULL specification", 0x00210000, [](Ctx &) { return R(ruv_fsys_get_file_attr(nullptr, 1)); })
        .valid([](Ctx &) {
            RUV_FILE_SPEC s = made_file("fsys_size.txt");
            intptr_t size = ruv_fsys_get_file_attr(&s, 7);
            std::remove("fsys_size.txt");
            return R(size == 12);
        })
        .check_result(answered_true),

    Row{ "ruv_fsys_convert_dir_to_str", "tfsys" }
        .bad("NULL record", 0x00210000, [](Ctx &) { char t[300]; return R(ruv_fsys_convert_dir_to_str(nullptr, t, sizeof t)); })
        .bad("NULL text", 0x00210000, [](Ctx &) {
            RUV_FILE_DIR d{};
            ruv_fsys_get_dir(&d);
            return R(ruv_fsys_convert_dir_to_str(&d, nullptr, 300));
        })
        .valid([](Ctx &) {
            RUV_FILE_DIR d{};
            ruv_fsys_get_dir(&d);
            char t[300] = "";
            return R(ruv_fsys_convert_dir_to_str(&d, t, sizeof t) && t[0]);
        })
        .check_result(answered_true),

    Row{ "ruv_fsys_convert_str_to_dir", "tfsys" }
        .bad("NULL record", 0x00210000, [](Ctx &) { return R(ruv_fsys_convert_str_to_dir("C:\\", nullptr)); })
        .bad("NULL text", 0x00210000, [](Ctx &) { RUV_FILE_DIR d{}; return R(ruv_fsys_convert_str_to_dir(nullptr, &d)); })
        .valid([](Ctx &) { RUV_FILE_DIR d{}; return R(ruv_fsys_convert_str_to_dir("C:\\windows", &d)); }),

    Row{ "ruv_fsys_get_default_dir", "tfsys" }
        .bad("NULL record", 0x00210000, [](Ctx &) { ruv_fsys_get_default_dir(nullptr); return 0; })
        .valid([](Ctx &) { RUV_FILE_DIR d{}; ruv_fsys_get_default_dir(&d); return R(d.path[0] != 0); })
        .check_result(answered_true),

    Row{ "ruv_fsys_get_dir", "tfsys" }
        .bad("NULL record", 0x00210000, [](Ctx &) { return R(ruv_fsys_get_dir(nullptr)); })
        .valid([](Ctx &) { RUV_FILE_DIR d{}; return R(ruv_fsys_get_dir(&d)); }),

    Row{ "ruv_fsys_set_dir", "tfsys" }
        .bad("NULL record", 0x00210000, [](Ctx &) { return R(ruv_fsys_set_dir(nullptr)); })
        .valid([](Ctx &) { RUV_FILE_DIR d{}; ruv_fsys_get_dir(&d); return R(ruv_fsys_set_dir(&d)); }),

    Row{ "ruv_fsys_set_dir_startup", "tfsys" }.valid([](Ctx &) { ruv_fsys_set_dir_startup(); return 0; }),

    Row{ "ruv_fsys_save_dir", "tfsys" }.valid([](Ctx &) { ruv_fsys_save_dir(); return 0; }),

    Row{ "ruv_fsys_restore_dir", "tfsys" }
        .valid([](Ctx &) {
            RUV_FILE_DIR here{}, root{}, back{};
            ruv_fsys_get_dir(&here);
            ruv_fsys_save_dir();
            ruv_fsys_convert_str_to_dir("C:\\", &root);
            ruv_fsys_set_dir(&root);
            ruv_fsys_restore_dir();
            ruv_fsys_get_dir(&back);
            return R(std::strcmp(here.path, back.path) == 0);
        })
        .check_result(answered_true),

    Row{ "ruv_fsys_list_files", "tfsys" }
        .bad("NULL filter", 0x00210000, [](Ctx &) { return R(ruv_fsys_list_files(nullptr, "*", FALSE)); })
        .valid([](Ctx &) {
            RUV_FILE_SPEC s = made_file("fsys_list.txt");
            (void)s;
            SLIST *l = ruv_fsys_list_files("", "fsys_list.*", FALSE);
            bool ok = l && ruvv_slist_count(l) == 1;
            ruvv_slist_destroy(l);
            std::remove("fsys_list.txt");
            return R(ok);
        })
        .check_result(answered_true),

    Row{ "ruv_fsys_rem_file", "tfsys" }
        .bad("NULL specification", 0x00210000, [](Ctx &) { return R(ruv_fsys_rem_file(nullptr)); })
        .valid([](Ctx &) { RUV_FILE_SPEC s = made_file("fsys_rem.txt"); return R(ruv_fsys_rem_file(&s)); })
        .read_back([](Ctx &) { return !exists("fsys_rem.txt"); }),

    Row{ "ruv_fsys_parse_pathname", "tfsys" }
        .bad("NULL path", 0x00210000, [](Ctx &) {
            char v[RUV_FILE_DIR_SIZE];
            return R(ruv_fsys_parse_pathname(nullptr, v, nullptr, nullptr, nullptr, nullptr));
        })
        .valid([](Ctx &) {
            char vol[RUV_FILE_DIR_SIZE], dir[RUV_FILE_DIR_SIZE], name[RUV_FILE_DIR_SIZE], ext[RUV_FILE_DIR_SIZE];
            char ver[RUV_FILE_DIR_SIZE] = "x";
            RUV_BOOL ok = ruv_fsys_parse_pathname("C:\\data\\run.inp", vol, dir, name, ext, ver);
            return R(ok && std::strcmp(name, "run") == 0 && std::strcmp(ext, "inp") == 0 && ver[0] == 0);
        })
        .check_result(answered_true),

    Row{ "ruv_fsys_build_pathname", "tfsys" }
        .bad("NULL destination", 0x00210000,
             [](Ctx &) { return R(ruv_fsys_build_pathname(nullptr, "C:", "\\data\\", "run", "inp", nullptr)); })
        .valid([](Ctx &) {
            char path[RUV_FILE_DIR_SIZE] = "";
            RUV_BOOL ok = ruv_fsys_build_pathname(path, "C:", "\\data\\", "run", "inp", nullptr);
            return R(ok && std::strstr(path, "run.inp") != nullptr);
        })
        .check_result(answered_true),
};

} // namespace
