#include "DialogButtonIconStyle.h"

#include <QApplication>
#include <QStyleFactory>

DialogButtonIconStyle::DialogButtonIconStyle(QStyle* base, bool themeChooses)
    : QProxyStyle(base), m_themeChooses(themeChooses) {}

bool DialogButtonIconStyle::themeChooses(const QString& currentDesktop, const QString& platformTheme) {
    for (const QString& desktop : currentDesktop.split(u':', Qt::SkipEmptyParts))
        if (desktop.compare(QLatin1String("KDE"), Qt::CaseInsensitive) == 0 ||
            desktop.compare(QLatin1String("LXQt"), Qt::CaseInsensitive) == 0)
            return true;
    return platformTheme.startsWith(QLatin1String("qt6ct")) ||
           platformTheme.startsWith(QLatin1String("qt5ct"));
}

void DialogButtonIconStyle::install() {
    QStyle* chosen = QStyleFactory::create(QApplication::style()->name());
    if (!chosen)
        return; // a style no factory makes stays as it is
    QApplication::setStyle(
        new DialogButtonIconStyle(chosen, themeChooses(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                                                       qEnvironmentVariable("QT_QPA_PLATFORMTHEME"))));
}

int DialogButtonIconStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                     QStyleHintReturn* returnData) const {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons && !m_themeChooses)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
