/* Controls of the kernel stand-in's core for tests: end the process's
   toolkit state, say whether the message loop runs, script the values the
   window system would answer, and read what the portable layer asked of the
   kernel (boxes shown, objects destroyed). */
#ifndef STANDIN_CORE_H
#define STANDIN_CORE_H

#include <cstdint>
#include <string>
#include <vector>

#include "ruv_types.h"

namespace standin {

/* Releases every per-process static block (term callbacks first, newest
   first, then the storage), as the kernel does at process end, and clears
   the stand-in's own state.  The next toolkit call starts afresh (no memory
   hooks, no attributes, empty registry, error count 0). */
void end_process();

/* Whether the message loop counts as entered (ruvk_app_is_running). */
void set_running(bool running);
/* Times the MDI client was laid out again. */
int mdi_layouts();

/* The value ruvk_attr_get_system answers for (key, arg); 0 by default. */
void set_system_value(int32_t key, int32_t arg, intptr_t value);
/* The last value applied through ruvk_attr_set_system for key. */
intptr_t system_value_set(int32_t key);

/* Title that ruvk_vobj_get_title answers for an object. */
void set_title(RUV_WIN win, const std::string &title);
/* Objects passed to ruvk_vobj_destroy, in order. */
const std::vector<RUV_WIN> &destroyed();

/* Boxes shown through ruvk_dm_post_error/_warning/_note, in order. */
struct Box {
    std::string kind;  /* "error", "warning", "note" */
    std::string text;
    int32_t help_ctx = 0;  /* the help context in force while it was up */
};
const std::vector<Box> &boxes();
void clear_boxes();

/* The object that ruvk_scr_get_focus_vobj answers (NULL_WIN by default). */
void set_focus(RUV_WIN win);

/* The directory that ruvk_fsys_set_dir_startup makes current (by default
   the current directory at its first call). */
void set_startup_dir(const std::string &path);

} // namespace standin

#endif
