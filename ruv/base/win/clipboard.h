/* The clipboard: text, picture and application-named formats, opened on
   the utility window; one put block and one got block at a time. */
#ifndef RUV_KERNEL_CLIPBOARD_H
#define RUV_KERNEL_CLIPBOARD_H

#include "kernel_app.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RUVK_CB_TEXT 0
#define RUVK_CB_PICTURE 1
#define RUVK_CB_NAMED 2

RUV_BOOL ruvk_cb_open(int16_t for_writing);
/* Releases both blocks and closes; closing when not open succeeds. */
RUV_BOOL ruvk_cb_close(void);
RUV_BOOL ruvk_cb_has_format(int32_t format, const char *name);
/* A zeroed block of length + 1 bytes to fill before ruvk_cb_put_data. */
void *ruvk_cb_alloc_data(int32_t length);
RUV_BOOL ruvk_cb_free_data(void);
/* picture: the native bitmap of format 1 (NULL for the others). */
RUV_BOOL ruvk_cb_put_data(int32_t format, const char *name, int32_t length, void *picture);
/* The data, valid until the next clipboard call; NULL when absent. */
void *ruvk_cb_get_data(int32_t format, const char *name, int32_t *length);
/* The system calls of the clipboard module, called through this table so
   that a test can make one of them fail. */
typedef struct RUVK_CB_CALLS {
    UINT (WINAPI *register_format)(LPCSTR name);
    BOOL (WINAPI *open)(HWND owner);
    BOOL (WINAPI *empty)(void);
    BOOL (WINAPI *close)(void);
    HGLOBAL (WINAPI *alloc)(UINT flags, SIZE_T bytes);
    LPVOID (WINAPI *lock)(HGLOBAL block);
    BOOL (WINAPI *unlock)(HGLOBAL block);
    HGLOBAL (WINAPI *free)(HGLOBAL block);
    HANDLE (WINAPI *set_data)(UINT format, HANDLE data);
    HANDLE (WINAPI *get_data)(UINT format);
} RUVK_CB_CALLS;
extern RUVK_CB_CALLS ruvk_cb_calls;

/* A global-memory handle is its block's address: the same value back. */
void *ruvv_gmem_lock(void *handle);

#ifdef __cplusplus
}
#endif

#endif
