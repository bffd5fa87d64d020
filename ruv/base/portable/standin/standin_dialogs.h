/* The standard dialogs of the kernel stand-in: each records its call with
   the help context in force and answers what the test scripted. */
#ifndef STANDIN_DIALOGS_H
#define STANDIN_DIALOGS_H

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

struct DialogCall {
    std::string name;     /* the kernel entry without "ruvk_dm_post_" */
    int32_t help_ctx;     /* ruvv_win_get_help_ctx() during the call */
    std::string text;     /* the formatted text of boxes, prompts and titles */
};
const std::vector<DialogCall> &dialog_calls();
void clear_dialog_calls();
/* The answer of the next dialogs (numeric results; booleans non-zero). */
void set_dialog_answer(int32_t answer);

} // namespace standin

#endif
