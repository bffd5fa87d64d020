// Rectangle position: the point is zeroed before anything else, so a NULL
// rectangle leaves it (0, 0); a NULL point is refused without a write.
#include "front_fixture.h"
#include "ruv.h"

using namespace ruvf_test;

namespace {

TEST(RectPos, NullArgumentsAreRefused)
{
    in_app([] {
        Recorder rec;
        RUV_POINT p{ 9, 9 };
        EXPECT_EQ(ruv_rect_get_pos(nullptr, &p), nullptr);
        EXPECT_EQ(p.h, 0);
        EXPECT_EQ(p.v, 0);
        RUV_RECT r{ 20, 10, 70, 110 };
        EXPECT_EQ(ruv_rect_get_pos(&r, nullptr), nullptr);
        ASSERT_EQ(rec.reports().size(), 2u);
        for (const Report &rep : rec.reports()) {
            EXPECT_EQ(rep.id, 0x00210000u);
            EXPECT_EQ(rep.innermost(), "ruv_rect_get_pos");
            EXPECT_EQ(rep.file, "trect");
        }
        rec.clear();
        EXPECT_EQ(ruv_rect_get_pos(&r, &p), &p);
        EXPECT_EQ(p.h, 10);
        EXPECT_EQ(p.v, 20);
        // A reversed rectangle is taken as it is.
        RUV_RECT reversed{ 70, 110, 20, 10 };
        EXPECT_EQ(ruv_rect_get_height(&reversed), -50);
        EXPECT_TRUE(rec.reports().empty());
    });
}

} // namespace
