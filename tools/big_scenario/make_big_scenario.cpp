// Writes a big model for the tests of large scenarios: a copy of the example
// model whose input file trazest.inp holds the given numbers of observation
// points and of instantaneous and continuous releases (big_scenario.h); the
// example's own input file is kept beside it as small.inp.
//
//   make_big_scenario EXAMPLE_DIR OUTPUT_DIR POINTS INSTANTANEOUS CONTINUOUS
#include <cstdio>
#include <cstdlib>
#include <string>

#include "big_scenario.h"

int main(int argc, char **argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: make_big_scenario EXAMPLE_DIR OUTPUT_DIR POINTS INSTANTANEOUS CONTINUOUS\n");
        return 2;
    }
    const big_scenario::Counts counts{ std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]) };
    std::string why;
    if (!big_scenario::WriteModel(argv[1], argv[2], counts, &why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 1;
    }
    return 0;
}
