#include "support/sjis.h"
#include "ui/font.h"
#include "ui_fixture.h"

namespace {

TEST(point_font, height_is_the_character_height_of_the_point_size) {
    struct font_case {
        const char* face_utf8;
        int points;
        bool underline;
    };
    const font_case cases[] = {
        {"ＭＳ ゴシック", 12, false},
        {"Arial", 9, true},
        {"", 20, false},
    };
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    for (const auto& c : cases) {
        font holder;
        ASSERT_TRUE(holder.create_point_font(sjis(c.face_utf8).c_str(), c.points, nullptr, c.underline));
        LOGFONTA logical{};
        ASSERT_NE(0, GetObjectA(holder.handle(), sizeof logical, &logical));
        EXPECT_EQ(-MulDiv(c.points, dpi, 72), logical.lfHeight) << c.face_utf8;
        EXPECT_EQ(c.underline ? 1 : 0, logical.lfUnderline);
        EXPECT_EQ(DEFAULT_CHARSET, logical.lfCharSet);
        EXPECT_EQ(sjis(c.face_utf8), logical.lfFaceName);
    }
}

TEST(point_font, replacing_the_font_deletes_the_previous_one) {
    font holder;
    ASSERT_TRUE(holder.create_point_font("Arial", 10));
    HFONT first = holder.handle();
    ASSERT_TRUE(holder.create_point_font("Arial", 14));
    EXPECT_NE(first, holder.handle());
    EXPECT_EQ(0u, GetObjectType(first));
}

TEST(point_font, uses_the_given_device_context_mapping) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    // Logical units of a hundredth of a millimetre.
    SetMapMode(dc, MM_HIMETRIC);
    font holder;
    ASSERT_TRUE(holder.create_point_font("Arial", 72, dc));
    LOGFONTA logical{};
    GetObjectA(holder.handle(), sizeof logical, &logical);
    // 72 points are one inch: 2540 hundredths of a millimetre, give or take rounding.
    EXPECT_NEAR(-2540, logical.lfHeight, 30);
    DeleteDC(dc);
}

} // namespace
