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

QStringList texts(const QList<QAction*>& actions) {
    QStringList result;
    for (const QAction* action : actions)
        if (!action->isSeparator())
            result.append(action->text().remove(u'&'));
    return result;
}

TEST(TranslationsTest, OnlyALanguageWithOurTranslationIsLoadedAndQtsOwnComesWithIt) {
    const struct {
        const char* locale;
        bool installed;
        QString ours, qts;
    } cases[] = {
        {"de_DE", true, u"Nur dieses Vorkommen"_s, u"Abbrechen"_s},
        {"de_CH", true, u"Nur dieses Vorkommen"_s, u"Abbrechen"_s},
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

    QAction* newEvent = nullptr;
    for (QAction* item : menus.first()->menu()->actions())
        if (item->text() == u"&Neuer Termin"_s)
            newEvent = item;
    ASSERT_TRUE(newEvent) << texts(menus.first()->menu()->actions()).join(u", "_s).toStdString();
    newEvent->trigger();
    EditEventController& editor = delegate.editEventController();
    ASSERT_TRUE(waitFor([&] { return editor.isVisible(); }));
    EXPECT_EQ(editor.windowTitle(), u"Neuer Termin"_s);
    QStringList labels;
    for (const QLabel* label : editor.findChildren<QLabel*>())
        labels.append(label->text());
    for (const QString& expected : {u"&Titel:"_s, u"&Beginn:"_s, u"&Kalender:"_s})
        EXPECT_TRUE(labels.contains(expected)) << expected.toStdString();
    QStringList buttons;
    for (const QPushButton* button : editor.findChildren<QPushButton*>())
        buttons.append(button->text());
    EXPECT_TRUE(buttons.contains(u"Abbrechen"_s)) << buttons.join(u", "_s).toStdString();
    editor.cancelAction();
}

} // namespace
