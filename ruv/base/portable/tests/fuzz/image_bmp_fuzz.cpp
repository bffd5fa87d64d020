// Fuzz target: the BMP probe and reader over arbitrary bytes.
#include "image_fuzz_common.h"
#include "ruvv_image_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return image_fuzz::run(data, size, ruvv_image_probe_bmp, ruvv_image_read_bmp);
}
