// Typed text stays readable under light and dark palettes.
#include "base/TextColors.h"
#include "base/colorContrast.h"

#include <QPalette>

#include <gtest/gtest.h>

TEST(TextColorsTest, EveryColourIsReadableOnTheFieldsBackgroundOfAnyPalette) {
    struct Case {
        const char* name;
        QColor base;
        QColor text;
    };
    for (const Case& c : {Case{"light", QColor(255, 255, 255), QColor(0, 0, 0)},
                          Case{"dark", QColor(30, 30, 30), QColor(221, 221, 221)},
                          Case{"grey", QColor(110, 110, 110), QColor(255, 255, 255)},
                          Case{"dark blue", QColor(20, 30, 70), QColor(230, 230, 230)}}) {
        SCOPED_TRACE(c.name);
        QPalette palette;
        palette.setColor(QPalette::Base, c.base);
        palette.setColor(QPalette::Text, c.text);
        const TextColors colors = TextColors::forPalette(palette);
        EXPECT_EQ(colors.valid, c.text) << "the palette's own text colour";
        for (const QColor& color : {colors.invalid, colors.recognised})
            EXPECT_GE(contrastRatio(color, c.base), 4.5) << color.name().toStdString();
        EXPECT_NE(colors.invalid, colors.recognised);
        EXPECT_GT(colors.invalid.red(), colors.invalid.blue()) << "an error stays red";
        EXPECT_GT(colors.recognised.blue(), colors.recognised.red()) << "dates stay blue";
    }
    EXPECT_DOUBLE_EQ(contrastRatio(Qt::black, Qt::white), 21.0);
}
