// Notebooks on the tab control: the model's tabs and pages with their
// insertion rules, titles, data, front pages and the refusals of missing
// ones; the native tab items read back; faces hidden and shown in the page
// area; the event of a tab the user clicks; tab images scaled to the first
// one and a failed image that leaves the tab without one.
#include <string>
#include <vector>

#include "control_window_test_support.h"
#include "native_controls.h"
#include "ruvv_image.h"
#include "ruvv_notebk.h"
#include "window_services.h"

namespace {

constexpr RUV_ERRMSG_ID kInternal = 0x570000;

RUV_WIN make_notebook(RUV_WIN parent)
{
    RUV_RECT r = {10, 10, 260, 400};
    return ruvk_ctl_create(WC_NOTEBOOK, &r, "Notebook", parent, 0, nullptr, 1001);
}

std::string native_tab_text(RUV_WIN nb, int tab)
{
    char buf[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    SendMessageA(kt::hwnd_of(nb), TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item));
    return buf;
}

std::string page_title(RUV_WIN nb, int16_t tab, int16_t page)
{
    char buf[32];
    ruvv_notebk_get_page_title(nb, tab, page, buf, sizeof buf);
    return buf;
}

bool shown(RUV_WIN w)
{
    return w && IsWindowVisible(kt::hwnd_of(w));
}

class Notebook : public testing::Test {
protected:
    void run(std::function<void(RUV_WIN)> body)
    {
        kt::MemCount::install(true);
        cw::run_in_window("Notebook", RUV_RECT{40, 40, 340, 480}, et::record, body);
    }
};

TEST_F(Notebook, TabsAndPagesKeepTheirOrderTitlesAndData)
{
    run([](RUV_WIN w) {
        RUV_WIN nb = make_notebook(w);
        ASSERT_NE(nb, nullptr);
        EXPECT_TRUE(ruvv_notebk_add_tab(nb, 0, "~Second", nullptr));
        EXPECT_TRUE(ruvv_notebk_add_tab(nb, 0, "First", nullptr));
        EXPECT_TRUE(ruvv_notebk_add_tab(nb, 9, "Third", nullptr));  // beyond: appended
        ASSERT_EQ(ruvv_notebk_get_num_tabs(nb), 3);
        EXPECT_EQ(SendMessageA(kt::hwnd_of(nb), TCM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_EQ(native_tab_text(nb, 0), "First");
        EXPECT_EQ(native_tab_text(nb, 1), "&Second");  // the mnemonic mark
        EXPECT_EQ(native_tab_text(nb, 2), "Third");

        EXPECT_TRUE(ruvv_notebk_add_page(nb, 0, 0, "a", 10));
        EXPECT_TRUE(ruvv_notebk_add_page(nb, 0, 1, "b", 11));
        EXPECT_TRUE(ruvv_notebk_add_page(nb, 0, 5, "c", 12));  // 2 pages: appended as page 2
        EXPECT_TRUE(ruvv_notebk_add_page(nb, 0, 1, "ab", 13));
        EXPECT_EQ(ruvv_notebk_get_num_pages(nb, 0), 4);
        EXPECT_EQ(page_title(nb, 0, 1), "ab");
        EXPECT_EQ(page_title(nb, 0, 3), "c");
        EXPECT_EQ(ruvv_notebk_get_page_data(nb, 0, 3), 12);
        EXPECT_TRUE(ruvv_notebk_set_page_data(nb, 0, 3, 99));
        EXPECT_EQ(ruvv_notebk_get_page_data(nb, 0, 3), 99);

        // A title is cut to whole characters within the buffer.
        char small[4];
        EXPECT_TRUE(ruvv_notebk_set_tab_title(nb, 2, "Longer title"));
        ruvv_notebk_get_tab_title(nb, 2, small, sizeof small);
        EXPECT_STREQ(small, "Lon");
        EXPECT_EQ(native_tab_text(nb, 2), "Longer title");
        EXPECT_TRUE(ruvv_notebk_set_page_title(nb, 0, 0, nullptr));
        EXPECT_EQ(page_title(nb, 0, 0), "");

        // The walk stops at the first zero.
        std::vector<std::pair<int, int>> walked;
        auto collect = [](RUV_WIN, int16_t tab, int16_t page, void *data) -> int32_t {
            auto *v = static_cast<std::vector<std::pair<int, int>> *>(data);
            v->emplace_back(tab, page);
            return v->size() < 3 ? 1 : 0;
        };
        EXPECT_EQ(ruvv_notebk_enum_pages(nb, collect, &walked), 0);
        EXPECT_EQ(walked, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}}));

        // What is missing is refused with the internal error.
        struct Case {
            const char *what;
            std::function<bool()> call;
        };
        std::vector<Case> cases = {
            {"front page equal to the page count", [&] { return ruvv_notebk_set_front_page(nb, 0, 4) != 0; }},
            {"negative page", [&] { return ruvv_notebk_set_front_page(nb, 0, -1) != 0; }},
            {"missing tab", [&] { return ruvv_notebk_add_page(nb, 3, 0, "x", 0) != 0; }},
            {"missing page title", [&] { return ruvv_notebk_set_page_title(nb, 1, 0, "x") != 0; }},
            {"missing page removed", [&] { return ruvv_notebk_rem_page(nb, 0, 7) != 0; }},
            {"not a notebook", [&] { return ruvv_notebk_add_tab(w, 0, "x", nullptr) != 0; }},
        };
        for (const Case &c : cases) {
            kt::reports().clear();
            EXPECT_FALSE(c.call()) << c.what;
            EXPECT_EQ(kt::severity_of(kInternal), RUV_SEV_ERROR) << c.what;
        }
        EXPECT_EQ(ruvv_notebk_get_num_pages(nb, 0), 4);
    });
}

TEST_F(Notebook, FacesComeToTheFrontInThePageArea)
{
    run([](RUV_WIN w) {
        RUV_WIN nb = make_notebook(w);
        ruvv_notebk_add_tab(nb, 0, "One", nullptr);
        ruvv_notebk_add_tab(nb, 1, "Two", nullptr);
        for (int16_t p = 0; p < 3; ++p)
            ruvv_notebk_add_page(nb, 0, p, "p", p);
        ruvv_notebk_add_page(nb, 1, 0, "q", 0);
        RUV_WIN f0 = ruvv_notebk_create_face(nb, 0, 0, RUV_EVENT_MASK_ALL, et::record, nullptr);
        RUV_WIN f1 = ruvv_notebk_create_face(nb, 0, 1, RUV_EVENT_MASK_ALL, et::record, nullptr);
        RUV_WIN f2 = ruvv_notebk_create_face(nb, 0, 2, RUV_EVENT_MASK_ALL, et::record, nullptr);
        RUV_WIN g0 = ruvv_notebk_create_face(nb, 1, 0, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ASSERT_TRUE(f0 && f1 && f2 && g0);
        EXPECT_TRUE(f0->kind & RUV_KIND_PAGE);
        EXPECT_FALSE(shown(f0) || shown(f1) || shown(f2) || shown(g0));  // hidden until in front

        // The page area lies 4 pixels inside the control, below the tab row.
        RECT item = {}, client = {}, face = {};
        SendMessageA(kt::hwnd_of(nb), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        GetClientRect(kt::hwnd_of(nb), &client);
        GetWindowRect(kt::hwnd_of(f0), &face);
        MapWindowPoints(nullptr, kt::hwnd_of(nb), reinterpret_cast<POINT *>(&face), 2);
        EXPECT_EQ(face.top, item.bottom + 4);
        EXPECT_EQ(face.left, 4);
        EXPECT_EQ(face.right, client.right - 4);
        EXPECT_EQ(face.bottom, client.bottom - 4);

        EXPECT_TRUE(ruvv_notebk_set_front_page(nb, 0, 2));
        EXPECT_TRUE(shown(f2));
        EXPECT_TRUE(ruvv_notebk_set_front_page(nb, 1, 0));
        EXPECT_TRUE(shown(g0));
        EXPECT_FALSE(shown(f2));
        EXPECT_EQ(SendMessageA(kt::hwnd_of(nb), TCM_GETCURSEL, 0, 0), 1);
        int16_t tab = -5;
        EXPECT_EQ(ruvv_notebk_get_front_page(nb, &tab), g0);
        EXPECT_EQ(tab, 1);

        int16_t t = 0, p = 0;
        EXPECT_TRUE(ruvv_notebk_get_page_from_face(f1, &t, &p));
        EXPECT_EQ(t, 0);
        EXPECT_EQ(p, 1);
        EXPECT_FALSE(ruvv_notebk_get_page_from_face(w, &t, &p));
        EXPECT_EQ(t, -1);

        // Removing the front page (page 2 of 3) makes page 1 the model's
        // front page; its face is not shown until a page is brought to the
        // front again.
        EXPECT_TRUE(ruvv_notebk_set_front_page(nb, 0, 2));
        EXPECT_TRUE(ruvv_notebk_rem_page(nb, 0, 2));
        EXPECT_FALSE(ruvv_vobj_is_valid(f2));
        EXPECT_EQ(ruvv_notebk_get_front_page(nb, &tab), f1);
        EXPECT_FALSE(shown(f1));
        EXPECT_TRUE(ruvv_notebk_set_front_page(nb, 0, 0));
        EXPECT_TRUE(shown(f0));

        // A face that goes leaves its page.
        DestroyWindow(kt::hwnd_of(f1));
        EXPECT_EQ(ruvv_notebk_get_face(nb, 0, 1), nullptr);
        EXPECT_EQ(ruvv_notebk_get_num_pages(nb, 0), 2);

        // Removing every tab leaves no front tab.
        EXPECT_TRUE(ruvv_notebk_rem_tab(nb, 1));
        EXPECT_FALSE(ruvv_vobj_is_valid(g0));
        EXPECT_TRUE(ruvv_notebk_rem_tab(nb, 0));
        EXPECT_EQ(ruvv_notebk_get_num_tabs(nb), 0);
        EXPECT_EQ(ruvv_notebk_get_front_page(nb, &tab), nullptr);
        EXPECT_EQ(tab, -1);
        EXPECT_EQ(SendMessageA(kt::hwnd_of(nb), TCM_GETITEMCOUNT, 0, 0), 0);
    });
}

TEST_F(Notebook, AClickedTabTellsTheParentAndShowsItsPage)
{
    run([](RUV_WIN w) {
        RUV_WIN nb = make_notebook(w);
        ruvv_notebk_add_tab(nb, 0, "One", nullptr);
        ruvv_notebk_add_tab(nb, 1, "Two", nullptr);
        ruvv_notebk_add_page(nb, 0, 0, "p", 0);
        ruvv_notebk_add_page(nb, 1, 0, "q", 0);
        RUV_WIN f = ruvv_notebk_create_face(nb, 0, 0, RUV_EVENT_MASK_ALL, et::record, nullptr);
        RUV_WIN g = ruvv_notebk_create_face(nb, 1, 0, RUV_EVENT_MASK_ALL, et::record, nullptr);
        ruvv_notebk_set_front_page(nb, 0, 0);
        RECT item = {};
        SendMessageA(kt::hwnd_of(nb), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
        std::vector<RUV_EVENT> got;
        et::undisturbed([&] {
            et::seen().clear();
            POINT pt = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
            ClientToScreen(kt::hwnd_of(nb), &pt);
            SetCursorPos(pt.x, pt.y);
            et::pump(30);
            INPUT in[2] = {};
            in[0].type = in[1].type = INPUT_MOUSE;
            in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(2, in, sizeof(INPUT));
            et::pump(150);
            got.clear();
            for (const et::Seen &s : et::seen())
                if (s.win == w && s.ev.type == E_CONTROL && s.ev.v.control.type == WC_NOTEBOOK)
                    got.push_back(s.ev);
        });
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].v.control.id, 1001);
        EXPECT_EQ(got[0].v.control.ctl, nb);
        EXPECT_EQ(got[0].v.control.data.notebook.face, g);
        EXPECT_EQ(got[0].v.control.data.notebook.tab, 1);
        EXPECT_EQ(got[0].v.control.data.notebook.page, 0);
        EXPECT_TRUE(shown(g));
        EXPECT_FALSE(shown(f));
        int16_t tab = -1;
        EXPECT_EQ(ruvv_notebk_get_front_page(nb, &tab), g);
        EXPECT_EQ(tab, 1);
    });
}

TEST_F(Notebook, TabImagesTakeTheFirstImagesSizeAndAFailedImageIsNone)
{
    run([](RUV_WIN w) {
        RUV_WIN nb = make_notebook(w);
        RUV_IMAGE *big = ruvv_image_create(RUV_IMAGE_DIRECT, 16, 12);
        RUV_IMAGE *other = ruvv_image_create(RUV_IMAGE_DIRECT, 32, 32);
        ASSERT_TRUE(big && other);
        RUV_RECT all = {0, 0, 32, 32};
        ruvv_image_fill_rect(other, 0x01FF0000, &all);
        EXPECT_TRUE(ruvv_notebk_add_tab(nb, 0, "Pen", big));
        EXPECT_TRUE(ruvv_notebk_add_tab(nb, 1, "Brush", nullptr));
        RUV_IMAGE *first = ruvv_notebk_get_tab_image(nb, 0);
        ASSERT_NE(first, nullptr);
        EXPECT_NE(first, big);  // the notebook's own copy
        HIMAGELIST list = reinterpret_cast<HIMAGELIST>(SendMessageA(kt::hwnd_of(nb), TCM_GETIMAGELIST, 0, 0));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ImageList_GetImageCount(list), 1);

        // A tab without an image gets one image; the copy has the first size.
        EXPECT_TRUE(ruvv_notebk_set_tab_image(nb, 1, other));
        EXPECT_EQ(ImageList_GetImageCount(list), 2);
        int16_t width = 0, height = 0;
        ruvv_image_get_dimensions(ruvv_notebk_get_tab_image(nb, 1), &width, &height);
        EXPECT_EQ(width, 16);
        EXPECT_EQ(height, 12);
        EXPECT_EQ(ruvv_image_get_pixel(ruvv_notebk_get_tab_image(nb, 1), 3, 3) & 0xFFFFFF, 0xFF0000u);
        // Replacing it keeps one image per tab.
        EXPECT_TRUE(ruvv_notebk_set_tab_image(nb, 1, big));
        EXPECT_EQ(ImageList_GetImageCount(list), 2);

        // No image takes the tab's image away, in the model and on the tab.
        TCITEMA item = {};
        EXPECT_TRUE(ruvv_notebk_set_tab_image(nb, 0, nullptr));
        EXPECT_EQ(ruvv_notebk_get_tab_image(nb, 0), nullptr);
        item.mask = TCIF_IMAGE;
        SendMessageA(kt::hwnd_of(nb), TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.iImage, -1);
        item.iImage = -2;
        SendMessageA(kt::hwnd_of(nb), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.iImage, 0);
        EXPECT_EQ(ImageList_GetImageCount(list), 1);
        // An image given again after that has the first size still.
        EXPECT_TRUE(ruvv_notebk_set_tab_image(nb, 0, other));
        ruvv_image_get_dimensions(ruvv_notebk_get_tab_image(nb, 0), &width, &height);
        EXPECT_EQ(width, 16);
        EXPECT_EQ(height, 12);
        EXPECT_EQ(ImageList_GetImageCount(list), 2);

        // An image that cannot be added answers -1, and the tab shows none
        // rather than another tab's image.
        EXPECT_EQ(ruvk_notebk_add_image_to_list(nb, nullptr), -1);
        EXPECT_EQ(ruvk_notebk_set_tab_image(nb, 1, nullptr), -1);
        item.mask = TCIF_IMAGE;
        SendMessageA(kt::hwnd_of(nb), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.iImage, -1);
        EXPECT_EQ(ImageList_GetImageCount(list), 1);
        ruvv_image_destroy(big);
        ruvv_image_destroy(other);
    });
}

TEST_F(Notebook, ASmallNotebookKeepsItsEdgesAndAGoneNotebookGivesItsMemoryBack)
{
    run([](RUV_WIN w) {
        // Smaller than 8 pixels: 4-pixel edges measured from the tab row.
        RUV_RECT tiny = {10, 10, 16, 16};
        RUV_WIN small = ruvk_ctl_create(WC_NOTEBOOK, &tiny, "", w, 0, nullptr, 1002);
        ASSERT_NE(small, nullptr);
        ruvv_notebk_add_tab(small, 0, "T", nullptr);
        RECT item = {};
        SendMessageA(kt::hwnd_of(small), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        RUV_RECT area;
        ruvk_notebk_get_page_rect(small, &area);
        EXPECT_EQ(area.top, item.bottom + 4);
        EXPECT_EQ(area.left, 4);
        EXPECT_EQ(area.right, 4);
        EXPECT_EQ(area.bottom, item.bottom + 4);

        // Tabs with images, pages and faces all go with the control.
        auto cycle = [&] {
            RUV_WIN nb = make_notebook(w);
            RUV_IMAGE *image = ruvv_image_create(RUV_IMAGE_DIRECT, 16, 16);
            for (int16_t tab = 0; tab < 2; ++tab) {
                ruvv_notebk_add_tab(nb, tab, "Tab", image);
                for (int16_t page = 0; page < 2; ++page) {
                    ruvv_notebk_add_page(nb, tab, page, "Page", 0);
                    ruvv_notebk_create_face(nb, tab, page, RUV_EVENT_MASK_ALL, et::record, nullptr);
                }
            }
            ruvv_notebk_set_front_page(nb, 1, 1);
            int16_t tab = -1, page = -1;
            EXPECT_NE(ruvk_notebk_get_front_page(nb, &tab, &page), nullptr);
            EXPECT_EQ(tab, 1);
            EXPECT_EQ(page, 0);  // the tab control knows tabs only
            ruvv_image_destroy(image);
            ruvk_vobj_destroy(nb);
            et::pump(30);
        };
        cycle();
        const long before = kt::MemCount::outstanding();
        cycle();
        EXPECT_EQ(kt::MemCount::outstanding(), before);
    });
}

} // namespace
