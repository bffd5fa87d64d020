// Flag rules of window and control types.
#include "core_test_support.h"

#include "ruvv_vobj.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_winflags.h"

namespace {

class WinFlags : public coretest::CoreTest {};

TEST_F(WinFlags, WindowTypes)
{
    // The screen and task objects as the kernel records them (attributes
    // 300 and 301): neither counts as "another window".
    RUV_VOBJ screen = {}, task = {}, doc = {};
    screen.tag = task.tag = doc.tag = RUV_VOBJ_TAG;
    screen.type = 6;
    task.type = 5;
    doc.type = 1;
    ruvv_attr_set_internal(NULL_WIN, 300, (intptr_t)&screen);
    ruvv_attr_set_internal(NULL_WIN, 301, (intptr_t)&task);
    RUV_WIN scr = (RUV_WIN)ruvk_vobj_get_attr(NULL_WIN, 300);
    RUV_WIN tsk = (RUV_WIN)ruvk_vobj_get_attr(NULL_WIN, 301);
    ASSERT_EQ(scr, &screen);
    ASSERT_EQ(tsk, &task);
    struct Case {
        int32_t type;
        RUV_WIN parent;
        uint32_t flags;
        uint32_t want;
    };
    const Case cases[] = {
        {1, scr, 0xFFFF & ~0x300u, 0},     {1, scr, 0x200 | 0x4, 0x01520002}, {1, scr, 0x200 | 0x8, 0x01520002},
        {1, scr, 0x200 | 0x10, 0},         {1, scr, 0x100 | 0x1000, 0x01520002}, {1, scr, 0x100 | 0x10, 0x01520002},
        {1, scr, 0x100 | 0x20, 0x01520002}, {1, scr, 0x100 | 0x1, 0},
        {2, &doc, 0x83C, 0},               {2, scr, 0x83C, 0x01520002},      {2, scr, 0x830, 0},
        {2, tsk, 0x4, 0x01520002},         {2, tsk, 0x830, 0},               {2, nullptr, 0x4, 0x01520002},
        {3, &doc, 0x830, 0},          {3, &doc, 0x1, 0x01520002},
        {7, &doc, 0x810, 0},               {7, scr, 0, 0x01520002},          {7, tsk, 0, 0x01520002},
        {7, nullptr, 0, 0x01520002},
        {7, &doc, 0x1, 0x01520002},        {9, scr, 0xA830, 0},              {9, scr, 0x4000, 0x01520002},
        {5, scr, 0, 0x01230001},           {10, scr, 0, 0x01230001},         {0, scr, 0, 0x01230001},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ruvv_win_check_flags(c.type, c.parent, c.flags), c.want)
            << "type " << c.type << " flags 0x" << std::hex << c.flags;
}

TEST_F(WinFlags, ControlTypes)
{
    struct Case {
        int32_t type;
        uint32_t flags;
        bool ok;
    };
    const Case cases[] = {
        {12, 0xE019 & ~0x6000u, true}, {12, 0x2000 | 0x8000, false}, {12, 0x4000 | 0x8000, false},
        {12, 0x2, false},              {13, 0x35, true},             {14, 0x15, true},
        {14, 0x20, false},             {15, 0x11, true},             {16, 0x2, false},
        {24, 0x10, true},              {17, 0x1F991 & ~0x7000u, true}, {17, 0x800 | 0x1000, false},
        {18, 0xF811 & ~0x7000u, true}, {21, 0x1000, true}, {21, 0x800 | 0x1000, false},          {22, 0x800, true},
        {19, 0x1E13 & ~0x1400u, true},  {19, 0x200 | 0x400, false},   {20, 0xE011 & ~0x6000u, true},
        {20, 0x2, false},              {25, 0x100000, true},         {25, 0x100000 | 0x400000, false},
        {25, 0xF2E411 & ~0x7F0000u & ~0x6000u, true}, {26, 0x10, true}, {26, 0x1, false},
        {23, 0, false},                {11, 0, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ruvv_ctl_check_flags(c.type, c.flags), c.ok ? 0u : 0x01520004u)
            << "type " << c.type << " flags 0x" << std::hex << c.flags;
}

} // namespace
