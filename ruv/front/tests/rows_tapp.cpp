// Conformance rows of the application functions and the program start
// (tapp).
#include "conformance.h"

using namespace ruvf_test;

static Rows rows{
    Row{ "ruv_win_main", "tapp" }.no_valid("the program entry: start_test runs it in a program of its own"),
    Row{ "ruv_fill_start_callbacks", "tapp" }.no_valid("part of the program start: start_test checks the record"),
    Row{ "ruv_exit_callback", "tapp" }.no_valid("ends the process: start_test runs it in a child"),
    Row{ "ruv_tx_create_def_callback", "tapp" }.no_valid("called by the kernel for a text edit of a definition"),
    Row{ "ruv_tx_get_tx_callback", "tapp" }.no_valid("called by the kernel to find a text edit"),
    Row{ "ruv_app_create", "tapp" }
        .bad("NULL configuration", 0x00210000,
             [](Ctx &) { ruv_app_create(0, nullptr, 0, nullptr, nullptr); return 0; })
        .bad("NULL argv with argc 1", 0x00210000,
             [](Ctx &) {
                 static RUV_APP_CONFIG config{ 0, 0, "t", "t", "t" };
                 ruv_app_create(1, nullptr, 0, nullptr, &config);
                 return 0;
             })
        .no_valid("runs the message loop: start_test starts an application through it"),
    Row{ "ruv_app_start_system", "tapp" }.no_valid("runs the message loop: start_test starts through it"),
    Row{ "ruv_dll_main", "tapp" }.no_valid("sets the process's DLL mode: start_test runs it in a child"),
    Row{ "ruv_dll_thread_main", "tapp" }.no_valid("start_test runs it without and with ruv_dll_main in children"),
    Row{ "ruv_dll_start_thread", "tapp" }.no_valid("starts a second toolkit thread: start_test runs it in a child"),
    Row{ "ruv_app_allow_quit", "tapp" }.valid([](Ctx &) { ruv_app_allow_quit(); return 0; }),
    Row{ "ruv_app_destroy", "tapp" }
        .forwarder()
        .no_valid("ends the application: start_test ends its application through it"),
    Row{ "ruv_app_escape", "tapp" }.valid([](Ctx &) { return R(ruv_app_escape(0, 0)); }),
    Row{ "ruv_app_get_files_count", "tapp" }
        .bad("NULL flag", 0x00210000, [](Ctx &) { int32_t n; ruv_app_get_files_count(nullptr, &n); return 0; })
        .bad("NULL count", 0x00210000, [](Ctx &) { int16_t f; ruv_app_get_files_count(&f, nullptr); return 0; })
        .valid([](Ctx &) { int16_t f = 0; int32_t n = -1; ruv_app_get_files_count(&f, &n); return R(n); }),
    Row{ "ruv_app_set_file_processed", "tapp" }.valid([](Ctx &) { ruv_app_set_file_processed(); return 0; }),
    Row{ "ruv_app_get_file", "tapp" }.valid([](Ctx &) { return R(ruv_app_get_file()); }),
    Row{ "ruv_app_get_default_ctools", "tapp" }
        .bad("NULL tools", 0x00210000, [](Ctx &) { return R(ruv_app_get_default_ctools(nullptr)); })
        .valid([](Ctx &) { static RUV_DRAW_CTOOLS t; return R(ruv_app_get_default_ctools(&t)); }),
    Row{ "ruv_app_process_pending_events", "tapp" }
        .refuses()
        .valid([](Ctx &) { ruv_app_process_pending_events(); return 0; }),
    Row{ "ruv_app_get_remote_platform", "tapp" }
        .valid([](Ctx &) { return R(ruv_app_get_remote_platform()); })
        .read_back([](Ctx &) { return ruv_app_get_remote_platform() == 300; }),
    Row{ "ruv_app_get_remote_winsys", "tapp" }
        .valid([](Ctx &) { return R(ruv_app_get_remote_winsys()); })
        .read_back([](Ctx &) { return ruv_app_get_remote_winsys() == 300; }),
};
