// The kernel and the portable layer link into one program: every kernel
// operation that the portable layer calls is present.
#include <gtest/gtest.h>

#include "kernel_app.h"
#include "ruvk.h"

TEST(KernelLink, PortableLayerLinksOnTheKernel)
{
    EXPECT_NE(reinterpret_cast<void *>(&ruvk_static_get_ptr), nullptr);
}
