/* Controls of the kernel stand-in's string, file and list families for
   tests: the code page the string primitives work in, and the rows and
   selection of stand-in list controls. */
#ifndef STANDIN_STRINGS_H
#define STANDIN_STRINGS_H

#include <string>
#include <vector>

#include "ruv_types.h"

namespace standin {

/* Code page of the string primitives: 0 (the default) a single-byte code
   page whose byte values are the wide values; 932 the double-byte code page
   (lead bytes 0x81-0x9F and 0xE0-0xFC), converted with the system's own
   tables (the Windows code-page functions, or iconv natively). */
void set_codepage(int codepage);
int codepage();

/* Rows added to a stand-in list control, and its selected row (-1 none). */
const std::vector<std::string> &list_rows(RUV_WIN list);
int list_selection(RUV_WIN list);
void list_reset();

} // namespace standin

#endif
