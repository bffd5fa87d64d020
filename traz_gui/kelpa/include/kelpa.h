/* KELPA data-file library: the entry points that programs call.
 *
 * Calling form (the six-letter names): the set handle and every number are
 * passed by reference; each text argument is a character area of the given
 * length (blank-padded, no NUL needed), and the lengths of the text
 * arguments follow all other arguments, in the order of the texts.  Names
 * are stored as 16 characters, element types as 8, descriptions as 64; a
 * name is taken up to its first NUL or its length and blank-padded.
 *
 * Plain form (the kelpa_ names): the same operations for callers that pass
 * NUL-terminated texts and numbers by value; output arguments as in the
 * calling form.  Operations with text outputs are called in the calling
 * form from any language.
 *
 * Every entry point clears the last error number, returns its error number
 * (0 for success; the iteration ends are negative) and leaves it as the last
 * error number.  One thread only.
 */
#ifndef TRAZ_KELPA_H
#define TRAZ_KELPA_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t kelpa_len;

/* File sets. */
int Crenef(int32_t *set, const char *data_file, const char *definition_file, const char *coding,
           const char *access, kelpa_len data_len, kelpa_len definition_len, kelpa_len coding_len,
           kelpa_len access_len);
int Attdat(int32_t *set, const char *data_file, const char *coding, kelpa_len data_len,
           kelpa_len coding_len);
int Attdef(int32_t *set, const char *definition_file, const char *coding, kelpa_len definition_len,
           kelpa_len coding_len);
int Detdat(int32_t *set);
int Detdef(int32_t *set);
int Endset(int32_t *set);
int Quitdt(int32_t *set);
int Quitdf(int32_t *set);
int Flsdat(int32_t *set);
int Flsdef(int32_t *set);
int Gethdt(int32_t *set, char *header, kelpa_len header_len);
int Gethdf(int32_t *set, char *header, kelpa_len header_len);
int Errtxt(int32_t *mode, char *text, kelpa_len text_len);

/* Definitions. */
int Newelm(int32_t *set, const char *element, const char *type, int32_t *value_size,
           const char *quantity, const char *unit, const char *description, int32_t *ndims,
           const int32_t *dims, kelpa_len element_len, kelpa_len type_len, kelpa_len quantity_len,
           kelpa_len unit_len, kelpa_len description_len);
/* element_names: count names at a stride of names_len characters. */
int Newcel(int32_t *set, const char *cell, int32_t *count, const char *element_names,
           kelpa_len cell_len, kelpa_len names_len);
int Newgrp(int32_t *set, const char *group, const char *cell, int32_t *ndims, const int32_t *dims,
           const int32_t *order, kelpa_len group_len, kelpa_len cell_len);
int Newdat(int32_t *set, const char *data_group, const char *group, kelpa_len data_group_len,
           kelpa_len group_len);

/* Inquiries; ndims and count are the room on entry and the count on exit. */
int Inqelm(int32_t *set, const char *element, char *type, int32_t *value_size, char *quantity,
           char *unit, char *description, int32_t *ndims, int32_t *dims, kelpa_len element_len,
           kelpa_len type_len, kelpa_len quantity_len, kelpa_len unit_len,
           kelpa_len description_len);
int Inqcel(int32_t *set, const char *cell, int32_t *count, char *element_names, kelpa_len cell_len,
           kelpa_len names_len);
int Inqgrp(int32_t *set, const char *group, char *cell, int32_t *ndims, int32_t *dims,
           int32_t *order, kelpa_len group_len, kelpa_len cell_len);
int Inqdat(int32_t *set, const char *data_group, char *group, kelpa_len data_group_len,
           kelpa_len group_len);
int Inqfel(int32_t *set, char *element, char *type, char *quantity, char *unit, char *description,
           int32_t *value_size, int64_t *total_bytes, int32_t *ndims, int32_t *dims,
           kelpa_len element_len, kelpa_len type_len, kelpa_len quantity_len, kelpa_len unit_len,
           kelpa_len description_len);
int Inqnel(int32_t *set, char *element, char *type, char *quantity, char *unit, char *description,
           int32_t *value_size, int64_t *total_bytes, int32_t *ndims, int32_t *dims,
           kelpa_len element_len, kelpa_len type_len, kelpa_len quantity_len, kelpa_len unit_len,
           kelpa_len description_len);
/* element_names receives NUL-terminated names in slots of 17 characters. */
int Inqfcl(int32_t *set, char *cell, int32_t *count, int64_t *cell_bytes, char *element_names,
           kelpa_len cell_len, kelpa_len names_len);
int Inqncl(int32_t *set, char *cell, int32_t *count, int64_t *cell_bytes, char *element_names,
           kelpa_len cell_len, kelpa_len names_len);
int Inqfgr(int32_t *set, char *group, char *cell, int32_t *ndims, int32_t *dims, int32_t *order,
           kelpa_len group_len, kelpa_len cell_len);
int Inqngr(int32_t *set, char *group, char *cell, int32_t *ndims, int32_t *dims, int32_t *order,
           kelpa_len group_len, kelpa_len cell_len);
int Inqfst(int32_t *set, char *data_group, char *group, kelpa_len data_group_len,
           kelpa_len group_len);
int Inqnxt(int32_t *set, char *data_group, char *group, kelpa_len data_group_len,
           kelpa_len group_len);

/* Values: user_index is 5 x (start, stop, increment), user_order 5 numbers. */
int Putval(int32_t *set, const char *data_group, const char *element, const int32_t *user_index,
           const int32_t *user_order, const void *buffer, kelpa_len data_group_len,
           kelpa_len element_len);
int Getval(int32_t *set, const char *data_group, const char *element, const int32_t *user_index,
           const int32_t *user_order, int32_t *buffer_len, void *buffer, kelpa_len data_group_len,
           kelpa_len element_len);
/* Getstr: as Getval for a character buffer; text_len is the length of each
 * text of the buffer (buffer_len stays the whole buffer in bytes). */
int Getstr(int32_t *set, const char *data_group, const char *element, const int32_t *user_index,
           const int32_t *user_order, int32_t *buffer_len, char *buffer, kelpa_len data_group_len,
           kelpa_len element_len, kelpa_len text_len);
int Inqmax(int32_t *set, const char *data_group, int32_t *largest, kelpa_len data_group_len);

/* Attributes. */
int Putiat(int32_t *set, const char *data_group, const char *name, const int32_t *value,
           kelpa_len data_group_len, kelpa_len name_len);
int Putrat(int32_t *set, const char *data_group, const char *name, const float *value,
           kelpa_len data_group_len, kelpa_len name_len);
int Putsat(int32_t *set, const char *data_group, const char *name, const char *value,
           kelpa_len data_group_len, kelpa_len name_len, kelpa_len value_len);
int Getiat(int32_t *set, const char *data_group, const char *name, int32_t *value,
           kelpa_len data_group_len, kelpa_len name_len);
int Getrat(int32_t *set, const char *data_group, const char *name, float *value,
           kelpa_len data_group_len, kelpa_len name_len);
int Getsat(int32_t *set, const char *data_group, const char *name, char *value,
           kelpa_len data_group_len, kelpa_len name_len, kelpa_len value_len);
int Inqfia(int32_t *set, const char *data_group, char *name, int32_t *value,
           kelpa_len data_group_len, kelpa_len name_len);
int Inqnia(int32_t *set, const char *data_group, char *name, int32_t *value,
           kelpa_len data_group_len, kelpa_len name_len);
int Inqfra(int32_t *set, const char *data_group, char *name, float *value,
           kelpa_len data_group_len, kelpa_len name_len);
int Inqnra(int32_t *set, const char *data_group, char *name, float *value,
           kelpa_len data_group_len, kelpa_len name_len);
int Inqfsa(int32_t *set, const char *data_group, char *name, char *value,
           kelpa_len data_group_len, kelpa_len name_len, kelpa_len value_len);
int Inqnsa(int32_t *set, const char *data_group, char *name, char *value,
           kelpa_len data_group_len, kelpa_len name_len, kelpa_len value_len);

/* Plain form: NUL-terminated texts, numbers by value. */
int kelpa_crenef(int32_t *set, const char *data_file, const char *definition_file, char coding,
                 char access);
int kelpa_attdat(int32_t *set, const char *data_file, char coding);
int kelpa_attdef(int32_t *set, const char *definition_file, char coding);
int kelpa_newelm(int32_t set, const char *element, const char *type, int32_t value_size,
                 const char *quantity, const char *unit, const char *description, int32_t ndims,
                 const int32_t *dims);
/* element_names: count NUL-terminated names. */
int kelpa_newcel(int32_t set, const char *cell, int32_t count, const char *const *element_names);
int kelpa_newgrp(int32_t set, const char *group, const char *cell, int32_t ndims,
                 const int32_t *dims, const int32_t *order);
int kelpa_newdat(int32_t set, const char *data_group, const char *group);
int kelpa_putval(int32_t set, const char *data_group, const char *element,
                 const int32_t *user_index, const int32_t *user_order, const void *buffer);
int kelpa_getval(int32_t set, const char *data_group, const char *element,
                 const int32_t *user_index, const int32_t *user_order, int32_t buffer_len,
                 void *buffer);
int kelpa_inqmax(int32_t set, const char *data_group, int32_t *largest);
int kelpa_putiat(int32_t set, const char *data_group, const char *name, int32_t value);
int kelpa_putrat(int32_t set, const char *data_group, const char *name, float value);
int kelpa_putsat(int32_t set, const char *data_group, const char *name, const char *value);
int kelpa_getiat(int32_t set, const char *data_group, const char *name, int32_t *value);
int kelpa_getrat(int32_t set, const char *data_group, const char *name, float *value);

#ifdef __cplusplus
}
#endif

#endif
