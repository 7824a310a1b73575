// Dialog buttons without stock glyphs, unless the desktop lets the user choose them.
#include "app/DialogButtonIconStyle.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QStyleFactory>

#include <gtest/gtest.h>

namespace {

// What the generic platform theme answers on desktops that have no theme of their own.
class IconsOnButtonsStyle : public QProxyStyle {
public:
    IconsOnButtonsStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

TEST(DialogButtonIconStyleTest, OnlyDesktopsWhereTheUserChoosesGetIconsOnDialogButtons) {
    struct Case {
        const char* desktop;
        const char* theme;
        bool chooses;
    };
    for (const Case& c : {Case{"KDE", "", true}, Case{"ubuntu:GNOME", "", false}, Case{"LXQt", "", true},
                          Case{"XFCE", "", false}, Case{"sway", "qt6ct", true}, Case{"", "", false}}) {
        SCOPED_TRACE(std::string(c.desktop) + " / " + c.theme);
        EXPECT_EQ(
            DialogButtonIconStyle::themeChooses(QString::fromLatin1(c.desktop), QString::fromLatin1(c.theme)),
            c.chooses);
    }

    // Buttons take their icons when made, under the application's style.
    const QString before = QApplication::style()->name();
    for (const bool chooses : {true, false}) {
        QApplication::setStyle(new DialogButtonIconStyle(new IconsOnButtonsStyle, chooses));
        EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons),
                  int(chooses));
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Ok)->icon().isNull(), !chooses);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->icon().isNull(), !chooses);
    }
    QApplication::setStyle(QStyleFactory::create(before));
}
