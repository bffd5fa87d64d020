/* Menus of toolkit windows: the menu record a window carries from its
   creation to its destruction, and the native-menu cache behind it. */
#ifndef RUV_MENUS_H
#define RUV_MENUS_H

#include "kernel_app.h"
#include "ruvv_res.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Attaches a menu record to a new window: exactly one of resource id and
   tree (copied) is given; both or neither is an internal error.  FALSE
   when no record could be made. */
RUV_BOOL ruvk_menu_attach(RUV_WIN win, int32_t resource_id, const RUV_MENU_ITEM *tree);
/* Once the record is attached: task, drawtask, detdoc and mditask windows
   get their bar; doc windows get their system menu tidied. */
void ruvk_menu_after_creation(RUV_WIN win);
/* Shows the window's menu (or the task window's) on the frame. */
void ruvk_menu_show(RUV_WIN win);
/* Shows the menu of the window the user works in (the focused object's top
   level, else the task window) on the frame. */
void ruvk_menu_refresh(void);
/* Drops the window's menu record at its destruction. */
void ruvk_menu_drop(RUV_WIN win);
/* Whether the window has a menu record. */
RUV_BOOL ruvk_menu_has_record(RUV_WIN win);

/* The exported menu calls. */
RUV_MENU_ITEM *ruvk_menu_get_tree(RUV_WIN win);
void ruvk_menu_set_tree(RUV_WIN win, const RUV_MENU_ITEM *tree);
void ruvk_menu_set_item_checked(RUV_WIN win, int32_t tag, int16_t checked);
int32_t ruvk_menu_set_item_enabled(RUV_WIN win, int32_t tag, int16_t enabled);
void ruvk_menu_set_item_title(RUV_WIN win, int32_t tag, const char *title);
void ruvk_menu_update(RUV_WIN win);
void ruvk_menu_set_font_sel(RUV_WIN win, const struct RUV_FONT *font);
struct RUV_FONT *ruvk_menu_get_font_sel(RUV_WIN win, int16_t copy);
RUV_BOOL ruvk_menu_popup(const RUV_MENU_ITEM *tree, RUV_WIN win, RUV_POINT where, int16_t align, int32_t place_tag);
/* Native menus the cache holds now. */
int32_t ruvk_menu_cache_count(void);

#ifdef __cplusplus
}
#endif

#endif
