#pragma once

#include <QProxyStyle>
#include <QString>

// The application's style, except that dialog buttons carry icons only where the desktop lets the user
// choose them (Plasma and LXQt, or a qt6ct/qt5ct theme), and then as chosen there. Elsewhere the generic
// theme's default would put old stock glyphs (a tick, a cross) on OK and Cancel, which current desktops
// do not show.
class DialogButtonIconStyle : public QProxyStyle {
public:
    DialogButtonIconStyle(QStyle* base, bool themeChooses);

    // Whether the desktop (XDG_CURRENT_DESKTOP) or the platform theme (QT_QPA_PLATFORMTHEME) is one of
    // those that let the user choose.
    static bool themeChooses(const QString& currentDesktop, const QString& platformTheme);
    // Both programs' style: the one Qt chose, under this rule.
    static void install();

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

private:
    bool m_themeChooses;
};
