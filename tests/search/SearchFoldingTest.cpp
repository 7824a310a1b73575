#include "search/searchFolding.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SearchFoldingTest, CaseAccentsAndCompatibilityFormsFoldAlike) {
    EXPECT_EQ(foldedForSearch(u"Über Café"_s), foldedForSearch(u"uber cafe"_s));
    EXPECT_EQ(foldedForSearch(u"ÅNGSTRÖM"_s), u"angstrom"_s);
    EXPECT_EQ(foldedForSearch(u"ﬁle №"_s), u"file no"_s) << "ligature and numero sign decompose";
    EXPECT_EQ(foldedForSearch(u"Straße"_s), foldedForSearch(u"STRASSE"_s));
    EXPECT_EQ(foldedForSearch(u"Ελλάδα"_s), u"ελλαδα"_s);
    EXPECT_NE(foldedForSearch(u"Øre"_s), u"ore"_s) << "a letter of its own, not an o with a mark";
}

} // namespace
