#include "searchFolding.h"

QString foldedForSearch(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            break;
        default:
            folded.append(c);
        }
    }
    // Simple case folding keeps ß (and maps ẞ to it); full folding spells it out.
    return folded.toCaseFolded().replace(QChar(0x00DF), QLatin1String("ss"));
}
