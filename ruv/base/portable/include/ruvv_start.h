/* The records a toolkit program hands the base library at its start: the
   start record (ruvwi_Begin, ruvwi_Init) and the application's
   configuration (ruvwi_ruv_system, published as attribute 104).  One
   definition for the program's start, the front layer and the kernel. */
#ifndef RUVV_START_H
#define RUVV_START_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The module instance handle (HINSTANCE on Windows). */
struct HINSTANCE__;

typedef struct RUV_START_RECORD {
    const int16_t *version;          /* compiled-with version block; carried */
    struct HINSTANCE__ *instance;
    struct HINSTANCE__ *prev_instance;
    char *command_line;
    int32_t show_mode;               /* native show command */
    int32_t argc;
    void (*exit_callback)(int32_t status); /* ends the run; status 1 after a fatal error */
    void *tx_create_callback;        /* text-edit create, for the portable layer */
    void *tx_lookup_callback;        /* text-edit lookup, for the portable layer */
} RUV_START_RECORD;

/* The application's configuration. */
typedef struct RUV_APP_CONFIG {
    int32_t menu_bar_id;
    int32_t about_box_id;
    const char *base_name;
    const char *app_name;            /* NULL: the application name (string 30399) */
    const char *task_title;
} RUV_APP_CONFIG;

#ifdef __cplusplus
}
#endif

#endif
