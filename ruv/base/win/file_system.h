/* Files, directories and path names of the kernel, and the file names
   given on the command line: directory records, full paths, changing and
   saving the current directory, splitting and building path names,
   directory listings and the command-line file list. */
#ifndef RUV_KERNEL_FILE_SYSTEM_H
#define RUV_KERNEL_FILE_SYSTEM_H

#include "ruv_types.h"
#include "ruvk.h"

#ifdef __cplusplus
extern "C" {
#endif

struct SLIST;

/* The four characters of the filter that lists directories (and drives). */
#define RUVK_FSYS_DIR_FILTER "/\x01\x02\x03"

/* Directory records. */
void ruvk_fsys_get_default_dir(RUV_FILE_DIR *dir);
void ruvk_fsys_save_dir(void);
void ruvk_fsys_restore_dir(void);
RUV_BOOL ruvk_fsys_convert_str_to_dir(const char *text, RUV_FILE_DIR *dir);

/* Path names.  Any out-buffer may be NULL; parse sets *flag (when given)
   to 0 and always answers TRUE. */
RUV_BOOL ruvk_fsys_parse_pathname(const char *path, char *volume, char *directory,
                                  char *leaf, char *extension, int16_t *flag);
RUV_BOOL ruvk_fsys_build_pathname(char *path, const char *volume, const char *directory,
                                  const char *leaf, const char *extension);
RUV_BOOL ruvk_fsys_file_exists(const char *path);
/* 2 for a name with wildcards, 0 for a directory, 3 when its status cannot
   be read, else 1. */
int32_t ruvk_fsys_classify_name(const char *name);
/* Sorted names of the current directory matching pattern (case-insensitive
   wildcards) with extension filter; RUVK_FSYS_DIR_FILTER with the
   directories flag lists directories and, first, the drives.  NULL on
   failure. */
struct SLIST *ruvk_fsys_list_files(const char *filter, const char *pattern, RUV_BOOL dirs);
/* The part after the last ':' or '\\'; NULL for NULL. */
const char *ruvk_path_basename(const char *path);

/* Full path of path into text (size bytes); a bare drive means its root. */
RUV_BOOL ruvk_fsys_full_path(char *text, const char *path, int32_t size);
/* Makes path current, changing the drive first. */
RUV_BOOL ruvk_fsys_change_dir(const char *path);

/* Command line.  Start-up hands over the arguments (argv[0] is the
   program); wildcards in a leaf expand to the matching files. */
void ruvk_app_split_command_line(int32_t argc, char **argv);
/* Forgets the command-line file list (teardown). */
void ruvk_app_free_files(void);
/* *flag = 0, *count = number of command-line files; returns the count. */
int32_t ruvk_app_get_files_count(int16_t *flag, int32_t *count);
/* The next command-line file (its type: up to three characters after the
   last dot of the leaf), NULL after the last. */
RUV_FILE_SPEC *ruvk_app_get_file(void);

#ifdef __cplusplus
}
#endif

#endif
