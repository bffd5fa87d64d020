// Enclosure files of any content for a small grid whose sizes come from the
// first two bytes; a read enclosure becomes the cell status of a grid.
#include <cstdio>
#include <vector>

#include "fakes.h"
#include "fuzz_file.h"
#include "visarea.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int32_t mmax = 1 + data[0] % 16, nmax = 1 + data[1] % 16;
    const std::string name = FuzzInputFile("enc", data + 2, size - 2);
    int32_t code = -1;
    GE_Enclosure *enclosure = GE_EnclosureCellStatus(name.c_str(), mmax, nmax, &code);
    GE_FreeEnclosure(enclosure);
    if (code == 0) {
        GE_Init(1);
        std::vector<float> x, y;
        for (int32_t j = 0; j < nmax; ++j)
            for (int32_t i = 0; i < mmax; ++i) {
                x.push_back(static_cast<float>(i));
                y.push_back(static_cast<float>(j));
            }
        GE_GridInput input{};
        input.mmax = mmax;
        input.nmax = nmax;
        input.x = x.data();
        input.y = y.data();
        input.coordinateSystem = 1;
        input.missingValue = -1.0f;
        GE_SetGrid(&input, name.c_str());
        GE_FreeAll();
    }
    std::remove(name.c_str());
    fakes::Reset();   // the fakes' log of calls goes with the run, as for the leak check
    return 0;
}
