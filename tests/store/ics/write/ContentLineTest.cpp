#include "store/ics/ContentLine.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(ContentLineTest, ParsesParametersAndValueAndGivesBackTheSameText) {
    const struct {
        const char* text;
        const char* parameter;
        QStringList values;
        const char* value;
    } cases[] = {
        {"DTSTART;TZID=Europe/Berlin:20260610T093000", "tzid", {"Europe/Berlin"}, "20260610T093000"},
        {"ATTENDEE;CN=\"Doe, Jane: CEO\";ROLE=CHAIR:mailto:j@x.org",
         "CN",
         {"Doe, Jane: CEO"},
         "mailto:j@x.org"},
        {"x-list;X-P=a,\"b;c\",d:", "X-P", {"a", "b;c", "d"}, ""},
        {"SUMMARY;X-Q=^'hi^' ^^ ^n ^x:a\\, b", "X-Q", {"\"hi\" ^ \n ^x"}, "a\\, b"},
    };
    for (const auto& c : cases) {
        const std::optional<ContentLine> line = ContentLine::parse(QString::fromUtf8(c.text));
        ASSERT_TRUE(line) << c.text;
        EXPECT_EQ(line->parameter(QString::fromUtf8(c.parameter)), c.values);
        EXPECT_EQ(line->value(), c.value);
        EXPECT_EQ(line->text(), c.text);
    }
    for (const char* text :
         {"", ":value", "NAME", "BAD NAME:x", "A;B:c", "A;B=\"x:y", "A;=x:y", " SUMMARY:x"})
        EXPECT_FALSE(ContentLine::parse(QString::fromUtf8(text))) << text;
}

TEST(ContentLineTest, QuotesOrCaretEscapesParameterValuesThatNeedIt) {
    ContentLine line(QStringLiteral("ATTENDEE"), QStringLiteral("mailto:a@b.c"));
    line.setParameter(QStringLiteral("CN"), {QStringLiteral("x")});
    line.setParameter(QStringLiteral("ROLE"), {QStringLiteral("CHAIR")});
    line.setParameter(QStringLiteral("cn"), {QStringLiteral("Doe, \"J\"\r\nx"), QStringLiteral("a;b"),
                                             QStringLiteral("c:d"), QStringLiteral("plain")});
    EXPECT_EQ(line.text(), "ATTENDEE;cn=\"Doe, ^'J^'^nx\",\"a;b\",\"c:d\",plain;ROLE=CHAIR:mailto:a@b.c");
    EXPECT_EQ(ContentLine::parse(line.text())->parameter(u"CN").first(), "Doe, \"J\"\nx");
}

TEST(ContentLineTest, EscapesAndUnescapesText) {
    EXPECT_EQ(ContentLine::escapeText(u"a,b;c\\d\ne\r\nf\rg"), "a\\,b\\;c\\\\d\\ne\\nf\\ng");
    EXPECT_EQ(ContentLine::unescapeText(u"a\\,b\\;c\\\\d\\ne\\Nf\\:g\\"), "a,b;c\\d\ne\nf:g\\");
}

// Folds at 75 octets whatever the width of the characters near the fold.
TEST(ContentLineTest, FoldsLongLinesWithoutSplittingCharacters) {
    for (const char* piece : {"a", "ä", "€", "🎉", "ab€🎉"}) {
        for (int length : {1, 40, 73, 74, 75, 76, 300}) {
            const ContentLine line(QStringLiteral("SUMMARY"), QString::fromUtf8(piece).repeated(length));
            const QByteArray folded = line.folded();
            ASSERT_TRUE(folded.endsWith("\r\n"));
            const QList<QByteArray> physicalLines = folded.chopped(2).split('\n');
            QByteArray unfolded;
            for (qsizetype i = 0; i < physicalLines.size(); ++i) {
                const QByteArray part =
                    physicalLines[i].endsWith('\r') ? physicalLines[i].chopped(1) : physicalLines[i];
                EXPECT_LE(part.size(), 75) << folded.toStdString();
                EXPECT_EQ(QString::fromUtf8(part).toUtf8(), part) << folded.toStdString(); // no character cut
                EXPECT_EQ(i > 0, part.startsWith(' '));
                unfolded += i > 0 ? part.mid(1) : part;
            }
            EXPECT_EQ(QString::fromUtf8(unfolded), line.text());
        }
    }
}

} // namespace
