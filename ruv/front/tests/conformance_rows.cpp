// The registry of the conformance table's rows (filled by the static
// registrars of the rows_<source>.cpp files).
#include "conformance.h"

namespace ruvf_test {

std::vector<Row> &all_rows()
{
    static std::vector<Row> rows;
    return rows;
}

Rows::Rows(std::initializer_list<Row> rows)
{
    for (const Row &r : rows)
        all_rows().push_back(r);
}

} // namespace ruvf_test
