// The image record: creation, row alignment, colour tables, pixel access
// in the three formats, rectangle fills and the refusals of bad formats,
// sizes and positions.
#include "image_test_support.h"

namespace {

using namespace imgtest;

constexpr RUV_ERRMSG_ID BAD_FORMAT = 0x01640003;

class ImageRecord : public ImageTest {};

TEST_F(ImageRecord, StrideIsRowBytesRoundedToTheRowAlignment)
{
    struct Case {
        int32_t format, width, stride;
    } cases[] = {
        {RUV_IMAGE_MONO, 9, 4},     // row bytes 2
        {RUV_IMAGE_MONO, 1, 4},     // row bytes 1
        {RUV_IMAGE_MONO, 33, 8},    // row bytes 5
        {RUV_IMAGE_INDEXED, 5, 8},
        {RUV_IMAGE_INDEXED, 8, 8},
        {RUV_IMAGE_DIRECT, 3, 12},
        // A direct row wider than 8191 pixels needs more than 16 bits.
        {RUV_IMAGE_DIRECT, 9000, 36000},
    };
    for (const Case &c : cases) {
        Image image(ruvv_image_create(c.format, c.width, 2));
        ASSERT_TRUE(image) << c.format << " " << c.width;
        EXPECT_EQ(image->stride, c.stride) << c.format << " " << c.width;
        EXPECT_EQ(ruvv_image_get_scanline(image.get(), 1), image->pixels + c.stride);
    }
}

TEST_F(ImageRecord, NewIndexedImageHasBlackAndWhite)
{
    Image image(ruvv_image_create(RUV_IMAGE_INDEXED, 4, 4));
    ASSERT_TRUE(image);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 2);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 0), 0x000000u);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 1), 0xFFFFFFu);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 2), RUV_COLOR_UNSET);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 255), RUV_COLOR_UNSET);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 256), 0u);
    int32_t h = -1, v = -1;
    ruvv_image_get_resolution(image.get(), &h, &v);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(v, 0);
}

TEST_F(ImageRecord, MonoTableHasTwoEntries)
{
    Image image(ruvv_image_create(RUV_IMAGE_MONO, 8, 1));
    ASSERT_TRUE(image);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 2), 0u);
    ruvv_image_set_clut(image.get(), 2, 0x123456); // ignored
    ruvv_image_set_clut(image.get(), 1, 0x00FF00);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 1), 0x00FF00u);
    ruvv_image_set_ncolors(image.get(), 7);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 2);
}

TEST_F(ImageRecord, DirectImageHasNoTable)
{
    Image image(ruvv_image_create(RUV_IMAGE_DIRECT, 2, 2));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->clut, nullptr);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 0);
    EXPECT_EQ(ruvv_image_get_clut(image.get(), 0), 0u);
    ruvv_image_set_ncolors(image.get(), 5);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 0);
}

TEST_F(ImageRecord, MonoPixelIsSetAboveSum384)
{
    Image image(ruvv_image_create(RUV_IMAGE_MONO, 9, 1));
    ASSERT_TRUE(image);
    ruvv_image_set_pixel(image.get(), 8, 0, 0x818181); // 387
    EXPECT_EQ(ruvv_image_get_pixel(image.get(), 8, 0), 0x0BFFFFFFu);
    EXPECT_EQ(image->pixels[1], 0x80);                   // leftmost pixel in the top bit
    ruvv_image_set_pixel(image.get(), 8, 0, 0x808080); // exactly 384
    EXPECT_EQ(ruvv_image_get_pixel(image.get(), 8, 0), 0x07000000u);
    EXPECT_EQ(image->pixels[1], 0x00);
}

TEST_F(ImageRecord, IndexedPixelTakesNearestColourInUseTiesToEarlier)
{
    Image image(ruvv_image_create(RUV_IMAGE_INDEXED, 2, 1));
    ASSERT_TRUE(image);
    ruvv_image_set_clut(image.get(), 0, 0x000000);
    ruvv_image_set_clut(image.get(), 1, 0x202020);
    ruvv_image_set_clut(image.get(), 2, 0x101010); // not in use while the count is 2
    ruvv_image_set_pixel(image.get(), 0, 0, 0x101010);
    EXPECT_EQ(image->pixels[0], 0); // equal distance 16: the earlier entry
    ruvv_image_set_ncolors(image.get(), 3);
    ruvv_image_set_pixel(image.get(), 1, 0, 0x111111);
    EXPECT_EQ(image->pixels[1], 2);
    EXPECT_EQ(ruvv_image_get_pixel(image.get(), 1, 0), 0x101010u);
}

TEST_F(ImageRecord, DirectPixelKeepsTheValue)
{
    Image image(ruvv_image_create(RUV_IMAGE_DIRECT, 2, 2));
    ASSERT_TRUE(image);
    ruvv_image_set_pixel(image.get(), 1, 1, 0x0BFFFFFF);
    EXPECT_EQ(ruvv_image_get_pixel(image.get(), 1, 1), 0x0BFFFFFFu);
    ruvv_image_set_pixel(image.get(), 0, 1, 0x123456);
    const uint8_t *row = ruvv_image_get_scanline(image.get(), 1);
    EXPECT_EQ(row[0], 0x56); // 0x00RRGGBB lies blue first
    EXPECT_EQ(row[2], 0x12);
}

TEST_F(ImageRecord, PositionsOutsideTheImageAreIgnored)
{
    Image image(ruvv_image_create(RUV_IMAGE_DIRECT, 3, 3));
    ASSERT_TRUE(image);
    const std::string before((const char *)image->pixels, (size_t)image->stride * 3);
    for (auto p : {std::pair<int, int>{-1, 0}, {3, 0}, {0, 3}, {0, -1}, {100000, 5}}) {
        EXPECT_FALSE(ruvv_image_is_valid_pos(image.get(), p.first, p.second));
        ruvv_image_set_pixel(image.get(), p.first, p.second, 0xFFFFFF);
        EXPECT_EQ(ruvv_image_get_pixel(image.get(), p.first, p.second), 0u);
    }
    EXPECT_EQ(std::string((const char *)image->pixels, before.size()), before);
    EXPECT_TRUE(ruvv_image_is_valid_pos(image.get(), 2, 2));
}

TEST_F(ImageRecord, FillRectChangesOnlyPixelsInsideTheImage)
{
    Image image(ruvv_image_create(RUV_IMAGE_DIRECT, 3, 3));
    ASSERT_TRUE(image);
    RUV_RECT all = {0, 0, 3, 3};
    ruvv_image_fill_rect(image.get(), 0x111111, &all);
    RUV_RECT past = {1, 1, 30, 30}; // top, left, bottom, right
    ruvv_image_fill_rect(image.get(), 0xABCDEF, &past);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 3; x++)
            EXPECT_EQ(ruvv_image_get_pixel(image.get(), x, y), (x >= 1 && y >= 1) ? 0xABCDEFu : 0x111111u)
                << x << "," << y;

    Image mono(ruvv_image_create(RUV_IMAGE_MONO, 10, 2));
    ASSERT_TRUE(mono);
    RUV_RECT row1 = {1, -5, 2, 8};
    ruvv_image_fill_rect(mono.get(), 0xFFFFFF, &row1);
    EXPECT_EQ(ruvv_image_get_scanline(mono.get(), 1)[0], 0xFF);
    EXPECT_EQ(ruvv_image_get_scanline(mono.get(), 1)[1], 0x00);
    EXPECT_EQ(ruvv_image_get_scanline(mono.get(), 0)[0], 0x00);
}

TEST_F(ImageRecord, SidesOutsideOneTo32767AreRefused)
{
    for (auto s : {std::pair<int, int>{0, 1}, {1, 0}, {-3, 5}, {32768, 1}, {1, 32768}}) {
        reports().clear();
        EXPECT_EQ(ruvv_image_create(RUV_IMAGE_INDEXED, s.first, s.second), nullptr);
        EXPECT_TRUE(reported(0x01260001));
    }
    Image widest(ruvv_image_create(RUV_IMAGE_MONO, 32767, 1));
    EXPECT_TRUE(widest);
}

TEST_F(ImageRecord, BadFormatIsFatal)
{
    EXPECT_EQ(ruvv_image_create(4, 2, 2), nullptr);
    ASSERT_FALSE(reports().empty());
    EXPECT_EQ(reports().back().id, BAD_FORMAT);
    EXPECT_EQ(reports().back().severity, 3);

    Image image(ruvv_image_create(RUV_IMAGE_DIRECT, 2, 2));
    ASSERT_TRUE(image);
    image->format = 9;
    EXPECT_FALSE(ruvv_image_is_valid(image.get()));
    reports().clear();
    EXPECT_EQ(ruvv_image_get_pixel(image.get(), 0, 0), 0u);
    EXPECT_TRUE(reported(BAD_FORMAT));
    reports().clear();
    ruvv_image_destroy(image.release()); // still frees pixels and record
    EXPECT_TRUE(reported(BAD_FORMAT));
    EXPECT_FALSE(ruvv_image_is_valid(nullptr));
}

TEST_F(ImageRecord, SetNcolorsKeepsTheCountWithinTheTable)
{
    Image image(ruvv_image_create(RUV_IMAGE_INDEXED, 2, 2));
    ASSERT_TRUE(image);
    ruvv_image_set_ncolors(image.get(), 300);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 256);
    ruvv_image_set_ncolors(image.get(), -4);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 0);
    ruvv_image_set_ncolors(image.get(), 17);
    EXPECT_EQ(ruvv_image_get_ncolors(image.get()), 17);
}

TEST_F(ImageRecord, DuplicateCopiesPixelsAndColours)
{
    Image image(ruvv_image_create(RUV_IMAGE_INDEXED, 5, 3));
    ASSERT_TRUE(image);
    for (int i = 0; i < 7; i++)
        ruvv_image_set_clut(image.get(), i, 0x010203u * (uint32_t)(i + 1));
    ruvv_image_set_ncolors(image.get(), 7);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++)
            ruvv_image_get_scanline(image.get(), y)[x] = (uint8_t)((x + y) % 7);
    Image copy(ruvv_image_duplicate(image.get()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(ruvv_image_get_ncolors(copy.get()), 7);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++)
            EXPECT_EQ(ruvv_image_get_pixel(copy.get(), x, y), ruvv_image_get_pixel(image.get(), x, y));
    int16_t w = 0, h = 0;
    ruvv_image_get_dimensions(copy.get(), &w, &h);
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 3);
}

class ImageRecordOutOfMemory : public ImageTest {
protected:
    void install_hooks() override { coretest::FailingAlloc::install(0); }
};

TEST_F(ImageRecordOutOfMemory, EveryFailedAllocationLeavesNothing)
{
    for (int32_t format : {RUV_IMAGE_INDEXED, RUV_IMAGE_DIRECT, RUV_IMAGE_MONO}) {
        for (int n = 1; n <= 3; n++) {
            coretest::FailingAlloc::fail_next(n);
            RUV_IMAGE *image = ruvv_image_create(format, 4, 4);
            coretest::FailingAlloc::fail_at() = 0;
            if (image) { // the format needed fewer allocations
                EXPECT_EQ(format, RUV_IMAGE_DIRECT);
                ruvv_image_destroy(image);
            } else {
                EXPECT_TRUE(reported(0x01510001));
            }
        }
    }
}

} // namespace
