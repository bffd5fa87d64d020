/* State of one *.hyd read, shared by the generated scanner
   (hyd_scanner.l) and parser (hyd_grammar.y). */
#ifndef TRAZ_HYD_PARSE_CONTEXT_H
#define TRAZ_HYD_PARSE_CONTEXT_H

#include <deque>
#include <string>

#include "hyd_reader.h"

struct HydParseContext {
    HydDescription *description = nullptr;
    int line = 1;                  /* line of the scan position */
    int tokenLine = 1;             /* line where the current token starts */
    bool textMode = false;         /* quoted digits are text, not times */
    std::string tokenText;         /* the current token as written, for messages */
    std::string text;              /* the quoted text being collected */
    std::string scanError;         /* why the scanner refused the current token */
    std::deque<std::string> texts; /* values of the text tokens of this read */
};

/* Entry of the generated scanner and parser (defined in hyd_grammar.y). */
int HydParse(HydParseContext *context, FILE *file, const char *text, size_t length);

#endif
