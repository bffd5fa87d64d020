/* Grammar of the hydrodynamics description file (*.hyd) and the actions
   that fill the HydDescription.  A file is any sequence of statements; any
   end keyword closes any block.  There is no error recovery: the first
   error ends the read. */

%define api.prefix {hydyy}
%define api.pure full
%param {void *scanner}
%parse-param {HydParseContext *context}

%code requires {
#include <string>
struct HydParseContext;
}

%code {
#include <cstdio>
#include <cstring>

#include "hyd_parse_context.h"

/* The stack starts at 200 entries and doubles up to 10000. */
#define YYINITDEPTH 200
#define YYMAXDEPTH 10000

int hydyylex(HYDYYSTYPE *value, void *scanner);
static void hydyyerror(void *scanner, HydParseContext *context, const char *message);

#define DESC (context->description)

/* Ends the read with a message that names the offending token. */
#define FAIL(message) do { HydParseError(message); YYABORT; } while (0)

static void CopyText(char *slot, size_t size, const std::string &text)
{
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(slot, text.data(), n);
    slot[n] = '\0';
}
}

%union {
    int ival;
    double number;
    const std::string *text;
}

%token <ival> FILE_KEYWORD TIME_KEYWORD COUNT_KEYWORD
%token <ival> CHOICE_KEYWORD CHOICE_VALUE SWITCH_KEYWORD SWITCH_VALUE
%token <ival> LAYERS_BLOCK DISCHARGE_TYPE DIFFUSION_SELECTOR DIRECTION_SELECTOR
%token <ival> NONE END
%token <ival> DISCHARGES_BLOCK MIN_DIFFUSION_BLOCK DISPERSION_BLOCK DESCRIPTION_BLOCK
%token <ival> BOUNDARY_SECTIONS_BLOCK COUPLED_BOUNDARIES_BLOCK DOMAINS_BLOCK DD_BOUNDARIES_BLOCK
%token <number> REAL
%token <ival> INTEGER
%token <text> TIME_LITERAL TEXT
%token OTHER

%type <number> number

%%

file
    : %empty
    | file statement
    ;

statement
    : FILE_KEYWORD TEXT
        {
            if ($2->size() >= HYD_FILE_LEN)
                FAIL("file name too long");
            CopyText(DESC->files[$1], HYD_FILE_LEN, *$2);
        }
    | FILE_KEYWORD NONE
        { DESC->files[$1][0] = '\0'; }
    | TIME_KEYWORD TIME_LITERAL
        { CopyText(DESC->times[$1], HYD_TIME_LEN, *$2); }
    | COUNT_KEYWORD INTEGER
        { DESC->integers[$1] = $2; }
    | CHOICE_KEYWORD CHOICE_VALUE
        { DESC->integers[$1] = $2; }
    | SWITCH_KEYWORD SWITCH_VALUE
        { DESC->integers[$1] = $2; }
    | LAYERS_BLOCK
        {
            DESC->integers[HYD_HYDRODYNAMIC_THICKNESS_START + $1] = DESC->valueCounter;
            DESC->layersGiven[$1] = 1;
        }
      thicknesses END
    | MIN_DIFFUSION_BLOCK
        {
            DESC->values[HYD_UPPER_LAYER] = 0.0f;
            DESC->values[HYD_LOWER_LAYER] = 0.0f;
            DESC->values[HYD_INTERFACE_DEPTH] = 10.0f;
        }
      diffusion_values END
    | DISPERSION_BLOCK dispersion_values END
    | DESCRIPTION_BLOCK description_lines END
    | DISCHARGES_BLOCK discharges END
    | BOUNDARY_SECTIONS_BLOCK boundary_sections END
    | COUPLED_BOUNDARIES_BLOCK coupled_boundaries END
    | DOMAINS_BLOCK domains END
    | DD_BOUNDARIES_BLOCK dd_boundaries END
    ;

number
    : REAL      { $$ = $1; }
    | INTEGER   { $$ = $1; }
    ;

/* Each thickness goes to the next value slot. */
thicknesses
    : %empty
    | thicknesses number
        {
            if (DESC->valueCounter >= HYD_VALUE_SLOTS)
                FAIL("too many layer thicknesses");
            DESC->values[DESC->valueCounter++] = static_cast<float>($2);
        }
    ;

diffusion_values
    : %empty
    | diffusion_values DIFFUSION_SELECTOR number
        { DESC->values[$2] = static_cast<float>($3); }
    ;

dispersion_values
    : %empty
    | dispersion_values DIRECTION_SELECTOR number
        { DESC->values[$2] = static_cast<float>($3); }
    ;

/* The first three lines are kept, 59 characters each. */
description_lines
    : %empty
    | description_lines TEXT
        {
            if (DESC->descriptionLineCount < HYD_DESCRIPTION_LINES)
                CopyText(DESC->descriptionLines[DESC->descriptionLineCount++],
                         HYD_DESCRIPTION_LEN, *$2);
        }
    ;

discharges
    : %empty
    | discharges INTEGER INTEGER INTEGER TEXT discharge_type
    ;

discharge_type
    : %empty
    | DISCHARGE_TYPE
    ;

boundary_sections
    : %empty
    | boundary_sections TEXT boundary_cells
    ;

boundary_cells
    : %empty
    | boundary_cells INTEGER
        {
            if (DESC->boundaryCellCount >= HYD_BOUNDARY_CELLS - 1) {
                std::fprintf(stderr, "Too many boundary cells!\n");
                YYABORT;
            }
            DESC->boundaryCells[DESC->boundaryCellCount++] = $2;
        }
    ;

coupled_boundaries
    : %empty
    | coupled_boundaries TEXT INTEGER INTEGER INTEGER INTEGER
    ;

domains
    : %empty
    | domains TEXT INTEGER INTEGER text_or_none
    ;

text_or_none
    : TEXT
    | NONE
    ;

dd_boundaries
    : %empty
    | dd_boundaries TEXT INTEGER INTEGER INTEGER INTEGER TEXT INTEGER INTEGER INTEGER INTEGER
    ;

%%

static void hydyyerror(void *, HydParseContext *context, const char *message)
{
    if (std::strcmp(message, "memory exhausted") == 0)
        message = "yacc stack overflow";
    else if (!context->scanError.empty())
        message = context->scanError.c_str();
    HydParseError(message);
}
