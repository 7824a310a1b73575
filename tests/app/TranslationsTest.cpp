#include "app/Translations.h"
#include "EventLoopWait.h"
#include "ProgramTestSupport.h"
#include "editing/EditEventController.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTranslator>

namespace {

// Installs the translation for `locale` and takes it out again, so that the other tests read English.
class InstalledTranslation {
public:
    explicit InstalledTranslation(const QLocale& locale)
        : installed(Translations::install(*QCoreApplication::instance(), locale)) {}
    ~InstalledTranslation() { qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>()); }
    InstalledTranslation(const InstalledTranslation&) = delete;
    InstalledTranslation& operator=(const InstalledTranslation&) = delete;

    const bool installed;
};

// The texts of the items or widgets, without their mnemonics' marks.
template <typename Item> QStringList texts(const QList<Item*>& items) {
    QStringList result;
    for (const Item* item : items)
        result.append(item->text().remove(u'&'));
    return result;
}

TEST(TranslationsTest, OnlyALanguageWithOurTranslationIsLoadedAndQtsOwnComesWithIt) {
    const struct {
        const char* locale;
        bool installed;
        QString ours, qts;
    } cases[] = {
        {"de_DE", true, u"Nur dieses Vorkommen"_s, u"Abbrechen"_s},
        {"en_GB", false, u"Only this occurrence"_s, u"Cancel"_s},
        // Qt has French; we do not, and a window half in French is worse than one in English.
        {"fr_FR", false, u"Only this occurrence"_s, u"Cancel"_s},
        {"C", false, u"Only this occurrence"_s, u"Cancel"_s},
    };
    for (const auto& test : cases) {
        const InstalledTranslation translation{QLocale(QString::fromLatin1(test.locale))};
        EXPECT_EQ(translation.installed, test.installed) << test.locale;
        EXPECT_EQ(QCoreApplication::translate("DialogUserInteraction", "Only this occurrence"), test.ours)
            << test.locale;
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), test.qts) << test.locale;
    }
}

// Made before the program, whose window takes its texts when it is built.
class German {
protected:
    const InstalledTranslation translation{QLocale(u"de_DE"_s)};
};

class GermanWindowTest : private German, public ProgramTest {
protected:
    GermanWindowTest() { launch(false); }
};

TEST_F(GermanWindowTest, MenusAndTheEditorSpeakGerman) {
    MainWindow& window = delegate.mainWindow();
    const QList<QAction*> menus = window.menuBar()->actions();
    EXPECT_EQ(texts(menus),
              QStringList({u"Datei"_s, u"Bearbeiten"_s, u"Ansicht"_s, u"Kalender"_s, u"Hilfe"_s}));

    QAction* newEvent = menus.first()->menu()->actions().first();
    ASSERT_EQ(newEvent->text(), u"&Neuer Termin"_s);
    newEvent->trigger();
    EditEventController& editor = delegate.editEventController();
    ASSERT_TRUE(waitFor([&] { return editor.isVisible(); }));
    EXPECT_EQ(editor.windowTitle(), u"Neuer Termin"_s);
    const QStringList labels = texts(editor.findChildren<QLabel*>());
    for (const QString& expected : {u"Titel:"_s, u"Beginn:"_s, u"Kalender:"_s})
        EXPECT_TRUE(labels.contains(expected)) << expected.toStdString();
    EXPECT_TRUE(texts(editor.findChildren<QPushButton*>()).contains(u"Abbrechen"_s));
    editor.cancelAction();
}

} // namespace
