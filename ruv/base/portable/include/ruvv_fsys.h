/* Attributes of a file named by a file specification, and its removal. */
#ifndef RUVV_FSYS_H
#define RUVV_FSYS_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Attribute numbers of ruvv_fsys_get_file_attr / ruvv_fsys_set_file_attr. */
#define RUV_FATTR_EXISTS 1
#define RUV_FATTR_READABLE 2
#define RUV_FATTR_WRITABLE 3
#define RUV_FATTR_EXECUTABLE 4
#define RUV_FATTR_IS_DIR 5
#define RUV_FATTR_LINK_COUNT 6
#define RUV_FATTR_SIZE 7
#define RUV_FATTR_ACCESS_TIME 8
#define RUV_FATTR_MODIFY_TIME 9
#define RUV_FATTR_CREATE_TIME 10
#define RUV_FATTR_CREATOR 11  /* address of the 4-character tag field */
#define RUV_FATTR_DIR_TEXT 12 /* the directory as text (block buffer) */
#define RUV_FATTR_NAME 13     /* address of the file name */
#define RUV_FATTR_TYPE 14     /* address of the 4-character type field */

/* The attribute's value (pointer-sized: some are addresses); -1 when the
   path cannot be made or the attribute is unknown. */
intptr_t ruvv_fsys_get_file_attr(RUV_FILE_SPEC *spec, int32_t attribute);
/* Sets the creator (11) or type (14) field, at most 4 characters. */
RUV_BOOL ruvv_fsys_set_file_attr(RUV_FILE_SPEC *spec, int32_t attribute, const char *text);
/* Removes the file (in its own directory; the current directory is kept):
   TRUE when removed, FALSE (0x01530001 reported) when the directory cannot
   be made current or the file cannot be removed. */
RUV_BOOL ruvv_fsys_rem_file(RUV_FILE_SPEC *spec);

#ifdef __cplusplus
}
#endif

#endif
