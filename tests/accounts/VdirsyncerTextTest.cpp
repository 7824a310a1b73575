// What Verdalune writes for vdirsyncer and reads back from it: nothing a server or user typed can add a
// configuration line or name a path, and the lines vdirsyncer logs are read for what happened.
#include "accounts/VdirsyncerConfiguration.h"
#include "accounts/VdirsyncerOutput.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(VdirsyncerTextTest, HostileNamesStayInsideTheirValuesAndFolders) {
    CalDavAccount account;
    account.id = u"k3x9"_s;
    account.url = u"https://example.com/dav\"\n[storage evil]\npath = \"/\"/"_s;
    account.userName = u"ann\"\r\nurl = \"http://elsewhere"_s;
    account.collections = {u"personal"_s, u"../../.ssh"_s, u"a/b"_s, u".hidden"_s};
    const QByteArray text = VdirsyncerConfiguration::text({account}, u"/store"_s, u"/status"_s);
    QStringList sections;
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith('['))
            sections.append(QString::fromUtf8(line));
    }
    EXPECT_EQ(sections,
              (QStringList{u"[general]"_s, u"[pair verdalune_k3x9]"_s, u"[pair verdalune_k3x9_probe]"_s,
                           u"[storage verdalune_k3x9_local]"_s, u"[storage verdalune_k3x9_server]"_s}));
    EXPECT_EQ(account.calendarUid(u"personal"_s), u"k3x9-personal"_s);
    for (const QString& odd : {u"../../.ssh"_s, u"a/b"_s, u".hidden"_s}) {
        const QString folder = account.calendarUid(odd);
        EXPECT_TRUE(folder.startsWith(u"k3x9-"_s) && !folder.contains(u'/') && folder.size() == 21)
            << folder.toStdString();
        EXPECT_TRUE(account.ownsCalendar(folder));
    }
    EXPECT_FALSE(account.ownsCalendar(u"personal"_s));
}

TEST(VdirsyncerTextTest, ItsLogTellsCountsConflictsAndFailures) {
    const VdirsyncerOutput sync(
        u"Syncing verdalune_a/a-work\n"
        "Copying (uploading) item one to verdalune_a_server/a-work\n"
        "Copying (uploading) item two to verdalune_a_local/a-work\n"
        "Copying (updating) item three to verdalune_a_server/a-work\n"
        "Deleting item four from verdalune_a_local/a-work\n"
        "Doing conflict resolution for item five...\n"
        "error: verdalune_a/a-home: One item changed on both sides. Resolve this conflict\n"
        "error: See also https://vdirsyncer.pimutils.org/en/stable/config.html\n"
        "error: Item ID: five\n"
        "error: Item href on side A: five.ics\n"_s);
    EXPECT_EQ(sync.added(), 2);
    EXPECT_EQ(sync.changed(), 1);
    EXPECT_EQ(sync.deleted(), 1);
    ASSERT_EQ(sync.conflicts().size(), 1);
    EXPECT_EQ(sync.conflicts().front().collection, u"a-home"_s);
    EXPECT_EQ(sync.conflicts().front().itemId, u"five"_s);
    EXPECT_EQ(sync.failure(), VdirsyncerOutput::Failure::None) << "a conflict is no failure of its own";

    const VdirsyncerOutput probe(
        u"Discovering collections for pair p\nSaved for p: collections = [\"work\", \"home\"]\n"_s);
    EXPECT_EQ(probe.discoveredCollections(u"p"_s), (QStringList{u"work"_s, u"home"_s}));
    EXPECT_FALSE(probe.discoveredCollections(u"q"_s));

    const struct {
        const char* log;
        VdirsyncerOutput::Failure failure;
        const char* message;
    } failures[] = {
        {"warning: Failed to discover collections for s, use `-vdebug` to see the full traceback.\n"
         "error: Unknown error occurred: 401, message='Unauthorized', url=URL('http://h/')\n"
         "error: Use `-vdebug` to see the full traceback.\n",
         VdirsyncerOutput::Failure::Unauthorized, "401, message='Unauthorized', url=URL('http://h/')"},
        {"error: Unknown error occurred: Cannot connect to host h:1 ssl:default [Connect call failed]\n",
         VdirsyncerOutput::Failure::Unreachable,
         "Cannot connect to host h:1 ssl:default [Connect call failed]"},
        {"critical: Unknown storage type: caldav2\n", VdirsyncerOutput::Failure::Other,
         "Unknown storage type: caldav2"},
    };
    for (const auto& row : failures) {
        const VdirsyncerOutput output(QString::fromUtf8(row.log));
        EXPECT_EQ(output.failure(), row.failure) << row.log;
        EXPECT_EQ(output.errorMessage(), QString::fromUtf8(row.message));
    }
}

} // namespace
