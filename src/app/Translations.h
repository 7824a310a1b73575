#pragma once

#include <QLocale>

class QCoreApplication;

// The program's texts, and Qt's own (standard buttons, dialogs), in the user's language. The entry language
// stays English whatever this loads.
class Translations {
public:
    // Whether a translation for `locale` was installed into `application`; for English, or a language we
    // have no translation for, nothing is, so that Qt's texts never come in a language ours are not in.
    static bool install(QCoreApplication& application, const QLocale& locale = QLocale::system());
};
