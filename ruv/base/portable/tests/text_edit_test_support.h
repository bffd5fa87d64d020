// Reading a text edit back in tests: a paragraph's text through line
// access, the whole text with "|" between paragraphs, the ordered
// selection.
#ifndef TEXT_EDIT_TEST_SUPPORT_H
#define TEXT_EDIT_TEST_SUPPORT_H

#include <string>
#include <vector>

#include "ruvv_tx.h"

namespace txtest {

inline std::string par(TXEDIT tx, int32_t p)
{
    std::string out;
    if (!ruvv_tx_get_line(tx, p, 0, 0, nullptr))
        return "<none>";
    for (int32_t l = 0; l < ruvv_tx_get_num_par_lines(tx, p); ++l) {
        int32_t n = 0;
        const char *t = ruvv_tx_get_line(tx, p, 1, l, &n);
        out.append(t, (size_t)n);
    }
    ruvv_tx_get_line(tx, p, 2, 0, nullptr);
    return out;
}

inline std::string all(TXEDIT tx)
{
    std::string out;
    for (int32_t p = 0; p < ruvv_tx_get_num_pars(tx); ++p)
        out += (p ? "|" : "") + par(tx, p);
    return out;
}

inline std::vector<uint32_t> sel(TXEDIT tx)
{
    uint32_t p1 = 9, l1 = 9, c1 = 9, p2 = 9, l2 = 9, c2 = 9;
    ruvv_tx_get_sel(tx, &p1, &l1, &c1, &p2, &l2, &c2);
    return { p1, l1, c1, p2, l2, c2 };
}

} // namespace txtest

#endif
