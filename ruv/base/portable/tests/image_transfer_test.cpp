// Image transfer: whole-pixel scaling, mirroring, proportional clipping,
// colour conversion between the image formats (with the choice between a
// linear colour search and the shared colour table), and the engine driven
// with the layouts the kernel gives it (bit fields, tabled bytes, packed
// indexes, a clip rectangle of destination rows).
#include "image_test_support.h"

#include "ruvv_imgxfer.h"

namespace {

using namespace imgtest;

RUV_RECT rect(int top, int left, int bottom, int right)
{
    return RUV_RECT{(int16_t)top, (int16_t)left, (int16_t)bottom, (int16_t)right};
}

// A direct image whose pixel (x, y) is x + 16 y (one byte: easy to trace).
Image numbered(int w, int h)
{
    Image image(ruvv_image_create(RUV_IMAGE_DIRECT, w, h));
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            ruvv_image_set_pixel(image.get(), x, y, (RUV_COLOR)(x + 16 * y));
    return image;
}

Image filled(int w, int h, RUV_COLOR c)
{
    Image image(ruvv_image_create(RUV_IMAGE_DIRECT, w, h));
    RUV_RECT all = rect(0, 0, h, w);
    ruvv_image_fill_rect(image.get(), c, &all);
    return image;
}

class Transfer : public ImageTest {};

TEST_F(Transfer, FourByFourIntoEightByEightRepeatsEachPixelTwice)
{
    Image src = numbered(4, 4);
    Image dst = filled(8, 8, 0xFFFFFF);
    RUV_RECT d = rect(0, 0, 8, 8), s = rect(0, 0, 4, 4);
    ruvv_image_transfer(dst.get(), src.get(), &d, &s);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            EXPECT_EQ(ruvv_image_get_pixel(dst.get(), x, y), (RUV_COLOR)(x / 2 + 16 * (y / 2))) << x << "," << y;
}

TEST_F(Transfer, EightByEightIntoFourByFourTakesFirstRowsAndLastColumns)
{
    Image src = numbered(8, 8);
    Image dst = filled(4, 4, 0xFFFFFF);
    RUV_RECT d = rect(0, 0, 4, 4), s = rect(0, 0, 8, 8);
    ruvv_image_transfer(dst.get(), src.get(), &d, &s);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(ruvv_image_get_pixel(dst.get(), x, y), (RUV_COLOR)((2 * x + 1) + 16 * (2 * y))) << x << "," << y;
}

TEST_F(Transfer, ReversedRectanglesMirror)
{
    Image src = numbered(5, 3);
    struct Case {
        const char *name;
        RUV_RECT d, s;
        int (*sx)(int), (*sy)(int);
    } cases[] = {
        {"destination left > right", rect(0, 5, 3, 0), rect(0, 0, 3, 5), [](int x) { return 4 - x; }, [](int y) { return y; }},
        {"source left > right", rect(0, 0, 3, 5), rect(0, 5, 3, 0), [](int x) { return 4 - x; }, [](int y) { return y; }},
        {"destination bottom < top", rect(3, 0, 0, 5), rect(0, 0, 3, 5), [](int x) { return x; }, [](int y) { return 2 - y; }},
        {"both reversed: no mirror", rect(3, 5, 0, 0), rect(3, 5, 0, 0), [](int x) { return x; }, [](int y) { return y; }},
        {"both axes", rect(3, 5, 0, 0), rect(0, 0, 3, 5), [](int x) { return 4 - x; }, [](int y) { return 2 - y; }},
    };
    for (const Case &c : cases) {
        Image dst = filled(5, 3, 0xFFFFFF);
        RUV_RECT d = c.d, s = c.s;
        ruvv_image_transfer(dst.get(), src.get(), &d, &s);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 5; x++)
                EXPECT_EQ(ruvv_image_get_pixel(dst.get(), x, y), (RUV_COLOR)(c.sx(x) + 16 * c.sy(y)))
                    << c.name << " " << x << "," << y;
        EXPECT_EQ(d.left, c.d.left) << "the caller's rectangles are not changed";
    }
}

TEST_F(Transfer, SourcePastTheEdgeIsCutAndTheDestinationShrinks)
{
    Image src = numbered(4, 1);
    Image dst = filled(8, 1, 0xFFFFFF);
    // Source columns 2..5 of a 4-wide image: 2 past the right edge.  The
    // destination 0..8 shrinks in proportion to 0..4.
    RUV_RECT d = rect(0, 0, 1, 8), s = rect(0, 2, 1, 6);
    ruvv_image_transfer(dst.get(), src.get(), &d, &s);
    const RUV_COLOR want[8] = {2, 2, 3, 3, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    for (int x = 0; x < 8; x++)
        EXPECT_EQ(ruvv_image_get_pixel(dst.get(), x, 0), want[x]) << x;

    // A destination reaching past its image cuts the source in turn.
    Image small = filled(3, 1, 0xFFFFFF);
    RUV_RECT d2 = rect(0, 1, 1, 5), s2 = rect(0, 0, 1, 4);
    ruvv_image_transfer(small.get(), src.get(), &d2, &s2);
    EXPECT_EQ(ruvv_image_get_pixel(small.get(), 0, 0), 0xFFFFFFu);
    EXPECT_EQ(ruvv_image_get_pixel(small.get(), 1, 0), 0u);
    EXPECT_EQ(ruvv_image_get_pixel(small.get(), 2, 0), 1u);

    // Wholly outside: nothing happens.
    Image untouched = filled(3, 1, 0xFFFFFF);
    RUV_RECT d3 = rect(0, 0, 1, 3), s3 = rect(0, 10, 1, 13);
    ruvv_image_transfer(untouched.get(), src.get(), &d3, &s3);
    EXPECT_EQ(ruvv_image_get_pixel(untouched.get(), 1, 0), 0xFFFFFFu);
}

TEST_F(Transfer, ClipSpansMovesThePartnerInProportion)
{
    struct Case {
        int a0, a1, lo, hi, b0, b1;
        bool ok;
        int ra0, ra1, rb0, rb1;
    } cases[] = {
        {2, 6, 0, 4, 0, 8, true, 2, 4, 0, 4},     // cut the end: partner end back by 2 x 8 / 4
        {-2, 2, 0, 4, 0, 8, true, 0, 2, 4, 8},    // cut the start: partner start on by 4
        {0, 4, 0, 4, 8, 0, true, 0, 4, 8, 0},     // nothing to cut
        {-1, 3, 0, 4, 8, 0, true, 0, 3, 6, 0},    // reversed partner moves the other way
        {6, 2, 0, 4, 0, 8, true, 4, 2, 4, 8},     // reversed span: its start is the high end
        {0, 3, 0, 4, 0, 2, true, 0, 3, 0, 2},
        {-1, 2, 0, 4, 0, 2, true, 0, 2, 1, 2},    // 1 x 2 / 3 rounds to 1
        {5, 9, 0, 4, 0, 8, false, 0, 0, 0, 0},    // wholly outside
        {1, 1, 0, 4, 0, 8, false, 0, 0, 0, 0},    // empty
    };
    for (const Case &c : cases) {
        int32_t a0 = c.a0, a1 = c.a1, b0 = c.b0, b1 = c.b1;
        RUV_BOOL ok = ruvv_imgxfer_clip_spans(&a0, &a1, c.lo, c.hi, &b0, &b1);
        EXPECT_EQ(ok != 0, c.ok) << c.a0 << " " << c.a1;
        if (c.ok && ok) {
            EXPECT_EQ(a0, c.ra0) << c.a0 << " " << c.a1;
            EXPECT_EQ(a1, c.ra1) << c.a0 << " " << c.a1;
            EXPECT_EQ(b0, c.rb0) << c.a0 << " " << c.a1;
            EXPECT_EQ(b1, c.rb1) << c.a0 << " " << c.a1;
        }
    }
}

// Colours 0x0F0F0F nearer 0x1A1A1A than black, but the colour's 16-level
// cell is nearer black: the linear search and the shared table disagree,
// which shows which one a transfer used.
TEST_F(Transfer, DirectToIndexedSearchesLinearlyUpTo48Pixels)
{
    for (int side : {6, 7}) {
        Image src = filled(side, side, 0x0F0F0F);
        Image dst(ruvv_image_create(RUV_IMAGE_INDEXED, side, side));
        ruvv_image_set_clut(dst.get(), 0, 0x000000);
        ruvv_image_set_clut(dst.get(), 1, 0x1A1A1A);
        RUV_RECT all = rect(0, 0, side, side);
        ruvv_image_transfer(dst.get(), src.get(), &all, &all);
        uint8_t want = side == 6 ? 1 : 0;
        for (int y = 0; y < side; y++)
            for (int x = 0; x < side; x++)
                ASSERT_EQ(ruvv_image_get_scanline(dst.get(), y)[x], want) << side;
    }
}

TEST_F(Transfer, IndexedSourceGivesTheDestinationItsColours)
{
    Image src(ruvv_image_create(RUV_IMAGE_INDEXED, 3, 1));
    for (int i = 0; i < 5; i++)
        ruvv_image_set_clut(src.get(), i, 0x100000u * (uint32_t)(i + 1));
    ruvv_image_set_ncolors(src.get(), 5);
    for (int x = 0; x < 3; x++)
        ruvv_image_get_scanline(src.get(), 0)[x] = (uint8_t)(x + 2);
    RUV_RECT all = rect(0, 0, 1, 3);

    Image indexed(ruvv_image_create(RUV_IMAGE_INDEXED, 3, 1));
    ruvv_image_transfer(indexed.get(), src.get(), &all, &all);
    EXPECT_EQ(ruvv_image_get_ncolors(indexed.get()), 5);
    for (int x = 0; x < 3; x++) {
        EXPECT_EQ(ruvv_image_get_scanline(indexed.get(), 0)[x], x + 2);
        EXPECT_EQ(ruvv_image_get_pixel(indexed.get(), x, 0), ruvv_image_get_pixel(src.get(), x, 0));
    }

    Image direct(ruvv_image_create(RUV_IMAGE_DIRECT, 3, 1));
    ruvv_image_set_pixel(direct.get(), 0, 0, 0xAA000000); // the fourth byte stays
    ruvv_image_transfer(direct.get(), src.get(), &all, &all);
    EXPECT_EQ(ruvv_image_get_pixel(direct.get(), 0, 0), 0xAA300000u);
    EXPECT_EQ(ruvv_image_get_pixel(direct.get(), 2, 0), 0x500000u);

    // A mono destination takes the first two entries and maps to them.
    Image mono(ruvv_image_create(RUV_IMAGE_MONO, 3, 1));
    ruvv_image_transfer(mono.get(), src.get(), &all, &all);
    EXPECT_EQ(ruvv_image_get_clut(mono.get(), 0), 0x100000u);
    EXPECT_EQ(ruvv_image_get_clut(mono.get(), 1), 0x200000u);
    EXPECT_EQ(ruvv_image_get_scanline(mono.get(), 0)[0] & 0xE0, 0xE0); // all nearest entry 1
}

TEST_F(Transfer, MonoSourceToIndexedAndDirect)
{
    Image mono(ruvv_image_create(RUV_IMAGE_MONO, 10, 1));
    ruvv_image_get_scanline(mono.get(), 0)[0] = 0xA5; // 1010 0101
    ruvv_image_get_scanline(mono.get(), 0)[1] = 0x40; // 01
    RUV_RECT all = rect(0, 0, 1, 10);
    const int bits[10] = {1, 0, 1, 0, 0, 1, 0, 1, 0, 1};

    Image indexed(ruvv_image_create(RUV_IMAGE_INDEXED, 10, 1));
    ruvv_image_transfer(indexed.get(), mono.get(), &all, &all);
    EXPECT_EQ(ruvv_image_get_ncolors(indexed.get()), 2);
    EXPECT_EQ(ruvv_image_get_clut(indexed.get(), 2), RUV_COLOR_UNSET); // only two entries came over
    Image direct(ruvv_image_create(RUV_IMAGE_DIRECT, 10, 1));
    ruvv_image_transfer(direct.get(), mono.get(), &all, &all);
    for (int x = 0; x < 10; x++) {
        EXPECT_EQ(ruvv_image_get_scanline(indexed.get(), 0)[x], bits[x]) << x;
        EXPECT_EQ(ruvv_image_get_pixel(direct.get(), x, 0), bits[x] ? 0xFFFFFFu : 0u) << x;
    }

    // Direct back to mono through the nearest of black and white.
    Image back(ruvv_image_create(RUV_IMAGE_MONO, 10, 1));
    ruvv_image_transfer(back.get(), direct.get(), &all, &all);
    EXPECT_EQ(ruvv_image_get_scanline(back.get(), 0)[0], 0xA5);
    EXPECT_EQ(ruvv_image_get_scanline(back.get(), 0)[1] & 0xC0, 0x40);
}

// ---- the engine with kernel layouts ----

struct Raster {
    std::vector<uint8_t> bytes;
    int stride;
};

uint8_t *raster_row(const RUV_XFER_DESC *d, int32_t row)
{
    auto *r = static_cast<Raster *>(d->source);
    return r->bytes.data() + (size_t)row * (size_t)r->stride;
}

RUV_XFER_DESC layout(Raster &r, int kind, int w, int h, int bpp)
{
    RUV_XFER_DESC d = {};
    d.kind = kind;
    d.width = (int16_t)w;
    d.height = (int16_t)h;
    d.source = &r;
    d.row_fetch = raster_row;
    d.bits_per_pixel = bpp;
    r.stride = ((w * bpp + 31) / 32) * 4;
    r.bytes.assign((size_t)r.stride * (size_t)h, 0);
    return d;
}

TEST_F(Transfer, BitFieldLayoutsExpandAndBuild)
{
    Image src(ruvv_image_create(RUV_IMAGE_DIRECT, 3, 1));
    ruvv_image_set_pixel(src.get(), 0, 0, 0xFF0000);
    ruvv_image_set_pixel(src.get(), 1, 0, 0x00FF00);
    ruvv_image_set_pixel(src.get(), 2, 0, 0x8040C0);
    RUV_XFER_DESC sd;
    ruvv_imgxfer_describe(&sd, src.get());

    for (int order : {RUV_XFER_WORD_NATIVE, RUV_XFER_WORD_HIGH_FIRST}) {
        Raster r;
        RUV_XFER_DESC d = layout(r, RUV_XFER_BITFIELD, 3, 1, 16); // 5-6-5
        d.red = 0xF800;
        d.green_or_ncolors = 0x07E0;
        d.blue = 0x001F;
        d.word_order = order;
        RUV_RECT all = rect(0, 0, 1, 3);
        ruvv_imgxfer_run(&d, &sd, &all, &all, &all);
        auto word = [&](int x) {
            const uint8_t *p = r.bytes.data() + 2 * x;
            if (order == RUV_XFER_WORD_HIGH_FIRST)
                return (unsigned)(p[0] << 8 | p[1]);
            uint16_t w;
            memcpy(&w, p, 2);
            return (unsigned)w;
        };
        EXPECT_EQ(word(0), 0xF800u);
        EXPECT_EQ(word(1), 0x07E0u);
        EXPECT_EQ(word(2), (0x80u >> 3) << 11 | (0x40u >> 2) << 5 | (0xC0u >> 3));

        // And back: five and six-bit channels expand to the full range.
        Image back(ruvv_image_create(RUV_IMAGE_DIRECT, 3, 1));
        RUV_XFER_DESC bd;
        ruvv_imgxfer_describe(&bd, back.get());
        ruvv_imgxfer_run(&bd, &d, &all, &all, &all);
        EXPECT_EQ(ruvv_image_get_pixel(back.get(), 0, 0), 0xFF0000u);
        EXPECT_EQ(ruvv_image_get_pixel(back.get(), 1, 0), 0x00FF00u);
        EXPECT_EQ(ruvv_image_get_pixel(back.get(), 2, 0), 0x8441C5u); // 16/31, 16/63, 24/31 of 255
    }
}

TEST_F(Transfer, TabledLayoutsPassThroughTheirTables)
{
    uint8_t invert[256];
    uint16_t halve[256];
    for (int i = 0; i < 256; i++) {
        invert[i] = (uint8_t)(255 - i);
        halve[i] = (uint16_t)(0x1200 | (i / 2)); // the low byte is stored
    }
    Raster in;
    RUV_XFER_DESC sd = layout(in, RUV_XFER_TABLED, 2, 1, 24);
    sd.red = 0;
    sd.green_or_ncolors = 1;
    sd.blue = 2;
    sd.in_tables[0] = sd.in_tables[1] = sd.in_tables[2] = invert;
    const uint8_t pixels[6] = {10, 20, 30, 200, 100, 0};
    memcpy(in.bytes.data(), pixels, 6);

    Image direct(ruvv_image_create(RUV_IMAGE_DIRECT, 2, 1));
    RUV_XFER_DESC dd;
    ruvv_imgxfer_describe(&dd, direct.get());
    RUV_RECT all = rect(0, 0, 1, 2);
    ruvv_imgxfer_run(&dd, &sd, &all, &all, &all);
    EXPECT_EQ(ruvv_image_get_pixel(direct.get(), 0, 0), 0xF5EBE1u);
    EXPECT_EQ(ruvv_image_get_pixel(direct.get(), 1, 0), 0x379BFFu);

    Raster out;
    RUV_XFER_DESC od = layout(out, RUV_XFER_TABLED, 2, 1, 32);
    od.red = 2;
    od.green_or_ncolors = 1;
    od.blue = 0;
    od.out_tables[0] = od.out_tables[1] = od.out_tables[2] = halve;
    ruvv_imgxfer_run(&od, &dd, &all, &all, &all);
    EXPECT_EQ(out.bytes[2], 0xF5 / 2);
    EXPECT_EQ(out.bytes[1], 0xEB / 2);
    EXPECT_EQ(out.bytes[0], 0xE1 / 2);
    EXPECT_EQ(out.bytes[3], 0); // the fourth byte is left alone
}

TEST_F(Transfer, PackedIndexesOfTwoAndFourBits)
{
    const RUV_COLOR colors[4] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    for (int bpp : {2, 4}) {
        Raster r;
        RUV_XFER_DESC d = layout(r, RUV_XFER_INDEXED, 5, 1, bpp);
        d.clut = colors;
        d.green_or_ncolors = 4;
        Image src(ruvv_image_create(RUV_IMAGE_DIRECT, 5, 1));
        for (int x = 0; x < 5; x++)
            ruvv_image_set_pixel(src.get(), x, 0, colors[(x + 1) % 4]);
        RUV_XFER_DESC sd;
        ruvv_imgxfer_describe(&sd, src.get());
        RUV_RECT all = rect(0, 0, 1, 5);
        ruvv_imgxfer_run(&d, &sd, &all, &all, &all);
        if (bpp == 2) {
            EXPECT_EQ(r.bytes[0], 0x6C); // 01 10 11 00
            EXPECT_EQ(r.bytes[1], 0x40); // 01
        } else {
            EXPECT_EQ(r.bytes[0], 0x12);
            EXPECT_EQ(r.bytes[1], 0x30);
            EXPECT_EQ(r.bytes[2], 0x10);
        }
        Image back(ruvv_image_create(RUV_IMAGE_DIRECT, 5, 1));
        RUV_XFER_DESC bd;
        ruvv_imgxfer_describe(&bd, back.get());
        ruvv_imgxfer_run(&bd, &d, &all, &all, &all);
        for (int x = 0; x < 5; x++)
            EXPECT_EQ(ruvv_image_get_pixel(back.get(), x, 0), colors[(x + 1) % 4]) << bpp << " " << x;
    }
}

// The kernel converts tall images in strips of destination rows, each with
// the whole rectangles and a clip of the strip: the strips join without
// seams and match one whole transfer.
TEST_F(Transfer, ClipStripsJoinWithoutSeams)
{
    Image src = numbered(7, 7);
    Image whole = filled(11, 23, 0xFFFFFF);
    Image strips = filled(11, 23, 0xFFFFFF);
    RUV_RECT d = rect(0, 0, 23, 11), s = rect(0, 0, 7, 7);
    ruvv_image_transfer(whole.get(), src.get(), &d, &s);
    RUV_XFER_DESC sd, dd;
    ruvv_imgxfer_describe(&sd, src.get());
    ruvv_imgxfer_describe(&dd, strips.get());
    for (int top = 0; top < 23; top += 5) {
        RUV_RECT clip = rect(top, 0, top + 5, 11);
        ruvv_imgxfer_run(&dd, &sd, &d, &s, &clip);
    }
    for (int y = 0; y < 23; y++)
        for (int x = 0; x < 11; x++)
            ASSERT_EQ(ruvv_image_get_pixel(strips.get(), x, y), ruvv_image_get_pixel(whole.get(), x, y)) << x << "," << y;

    Image clipped = filled(11, 23, 0xFFFFFF);
    RUV_XFER_DESC cd;
    ruvv_imgxfer_describe(&cd, clipped.get());
    RUV_RECT clip = rect(3, 2, 6, 4);
    ruvv_imgxfer_run(&cd, &sd, &d, &s, &clip);
    for (int y = 0; y < 23; y++)
        for (int x = 0; x < 11; x++) {
            bool inside = y >= 3 && y < 6 && x >= 2 && x < 4;
            EXPECT_EQ(ruvv_image_get_pixel(clipped.get(), x, y),
                      inside ? ruvv_image_get_pixel(whole.get(), x, y) : 0xFFFFFFu) << x << "," << y;
        }
}

TEST_F(Transfer, LayoutsOutsideTheTablesAreFatal)
{
    Image img = numbered(2, 2);
    RUV_XFER_DESC good;
    ruvv_imgxfer_describe(&good, img.get());
    RUV_RECT all = rect(0, 0, 2, 2);

    RUV_XFER_DESC bad_kind = good;
    bad_kind.kind = 7;
    ruvv_imgxfer_run(&bad_kind, &good, &all, &all, &all);
    ASSERT_FALSE(reports().empty());
    EXPECT_EQ(reports().back().id, 0x01570005u);
    EXPECT_EQ(reports().back().severity, 3);

    RUV_XFER_DESC bad_depth = good;
    bad_depth.bits_per_pixel = 12;
    reports().clear();
    ruvv_imgxfer_run(&bad_depth, &good, &all, &all, &all);
    EXPECT_TRUE(reported(0x01250001));

    Image broken = numbered(2, 2);
    broken->format = 5;
    reports().clear();
    ruvv_image_transfer(img.get(), broken.get(), &all, &all);
    EXPECT_TRUE(reported(0x01640003));
    broken->format = RUV_IMAGE_DIRECT;
}

class TransferOutOfMemory : public ImageTest {
protected:
    void install_hooks() override { coretest::FailingAlloc::install(0); }
};

TEST_F(TransferOutOfMemory, NoColumnTableDrawsNothing)
{
    Image src = numbered(4, 4);
    Image dst = filled(4, 4, 0xFFFFFF);
    RUV_RECT all = rect(0, 0, 4, 4);
    coretest::FailingAlloc::fail_next(1);
    ruvv_image_transfer(dst.get(), src.get(), &all, &all);
    coretest::FailingAlloc::fail_at() = 0;
    EXPECT_EQ(ruvv_image_get_pixel(dst.get(), 1, 1), 0xFFFFFFu);
    EXPECT_TRUE(reported(0x01510001));
}

} // namespace
