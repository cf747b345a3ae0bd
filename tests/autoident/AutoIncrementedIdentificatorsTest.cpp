#include "autoident/AutoIncrementedIdentificators.h"

#include "autoident/CounterTests.h"
#include "host/common/OstrelException.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace ostrel::test;
using zmbase::EarthTime;
using Mode = AutoIncrementedIdentificators::Mode;
using State = AutoIncrementedIdentificators::ValueFileState;

const std::string kNumbers = "variable_length=\"3\" increment=\"1\" initial_value=\"";

std::string counter(const std::string& name, const std::string& prefix = "X",
                    const std::string& initial = "1") {
    return identEntry(name, "prefix=\"" + prefix + "\" " + kNumbers + initial + "\"");
}

class AutoIncrementedIdentificatorsTest : public ::testing::Test {
protected:
    std::string defs(const std::string& entries) { return writeDefinitions(dir, entries); }
    std::string written() const { return readFile(values); }
    AutoIncrementedIdentificators load(const std::string& definitions,
                                       Mode mode = Mode::SingleWriter) {
        AutoIncrementedIdentificators set(mode);
        EXPECT_TRUE(set.init(definitions, values));
        return set;
    }

    TempDir dir;
    const std::string values = dir.file("values.xml");
    EarthTime now{2007, 3, 9, 10, 30, 0};
    zmbase::ScopedLocalClock clock{[this] { return now; }};
};

TEST_F(AutoIncrementedIdentificatorsTest, ValueFileBytesAndRoundTrip) {
    // Names in byte order, escaped to read back unchanged (a reader turns a bare tab into a space).
    const std::string definitions = defs(counter("b") + counter("a&amp;b", "\\Y-") + counter("B") +
                                         counter("Z") + counter("t&#9;&quot;&lt;"));
    const std::string expected = kHeader + line("B", "1") + line("Z", "1") + line("a&amp;b", "3") +
                                 line("b", "42") + line("t&#9;&quot;&lt;", "2") + kFooter;
    for (const Mode mode : {Mode::Shared, Mode::SingleWriter}) { // the same bytes in either mode
        std::filesystem::remove(values);
        auto set = load(definitions, mode);
        for (const char* name : {"t\t\"<", "a&b", "a&b"}) {
            EXPECT_TRUE(set.incrementValue(name));
        }
        EXPECT_TRUE(set.updateIdentifier("b", "X0703090041"));
        EXPECT_EQ(written(), expected);

        load(definitions); // a reader that lost a name or value would rewrite other bytes
        EXPECT_EQ(written(), expected);
    }
}

// Why each kind of entry is refused, in words, is the `ostrel ident` command's test.
TEST_F(AutoIncrementedIdentificatorsTest, DefinitionEntries) {
    const struct {
        const char* note;
        std::string entries;
        bool loads;
        int count;
    } rows[] = {
        {"not XML", "<", false, 0},
        {"no entries", "", true, 0},
        {"earlier counters stay", counter("first") + counter("second") + counter(""), false, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.note);
        std::filesystem::remove(values);
        AutoIncrementedIdentificators set;
        EXPECT_EQ(set.init(defs(row.entries), values), row.loads);
        EXPECT_EQ(set.getCount(), row.count);
        EXPECT_EQ(std::filesystem::exists(values), row.loads);
        if (!row.loads) {
            // The value file name is not taken: a kept counter moves on, but nothing is saved.
            EXPECT_FALSE(set.incrementValue("first"));
            EXPECT_EQ(nextOf(set, "first"), row.count > 0 ? "X070309002" : "(null)");
        }
    }
    // prefix_editable reaches the fixed length, read as atoi reads it and never refused; a
    // negative initial value is taken, and counts as unsigned.
    auto set =
        load(defs(identEntry("two", "prefix=\"X\" prefix_editable=\"2x\" " + kNumbers + "-5\"")));
    long fixedLength = 0;
    EXPECT_STREQ(set.getValue("two", fixedLength), "X0703094294967291");
    EXPECT_EQ(fixedLength, 5);
    EXPECT_FALSE(set.init(defs(counter("two")), values)) << "a second init meets known names";
}

TEST_F(AutoIncrementedIdentificatorsTest, BadValueLinesAreSkipped) {
    const std::string definitions = defs(counter("a") + counter("b") + counter("c"));
    dir.write("values.xml", kHeader + "<ident value=\"5\" date=\"2007-03-09\" />\r\n" +
                                line("gone", "5") +                              // not defined
                                "<ident name=\"a\" date=\"2007-03-09\" />\r\n" + // no value
                                line("a", "00") +                                // refused number
                                "<ident name=\"a\" value=\"7\" />\r\n" +         // no date
                                line("a", "7", "2007-02-30") +                   // no such day
                                line("b", "5") + line("b", "0", "2007-03-08") +  // later line wins
                                line("c", "4294967295") + kFooter);
    auto set = load(definitions);
    EXPECT_EQ(written(), kHeader + line("a", "1") + line("b", "0", "2007-03-08") +
                             line("c", "4294967295") + kFooter);
    // Yesterday's value is restored, but numbering starts afresh today.
    EXPECT_EQ(nextOf(set, "b"), "X070309001");
    // A value beyond int reads as itself, and the counter wraps round in 32 bits.
    EXPECT_EQ(nextOf(set, "c"), "X0703094294967295");
    EXPECT_TRUE(set.incrementValue("c"));
    EXPECT_EQ(nextOf(set, "c"), "X070309000");
}

TEST_F(AutoIncrementedIdentificatorsTest, OnlyChangesWriteTheValueFile) {
    auto set = load(defs(counter("a")));
    std::filesystem::remove(values);
    long fixedLength = 77;
    EXPECT_EQ(nextOf(set, "a"), "X070309001");
    EXPECT_EQ(set.getValue("A", fixedLength), nullptr);
    EXPECT_EQ(set.getValue(nullptr, fixedLength), nullptr);
    EXPECT_EQ(fixedLength, 77);
    EXPECT_FALSE(set.incrementValue("A"));
    EXPECT_FALSE(set.updateIdentifier("a", "X0703080001"));
    EXPECT_FALSE(std::filesystem::exists(values));

    // Typing the identifier just offered is the same as marking it used.
    EXPECT_TRUE(set.updateIdentifier("a", nextOf(set, "a").c_str()));
    EXPECT_TRUE(set.isValueFileWritten());
    EXPECT_EQ(written(), kHeader + line("a", "2") + kFooter);

    now = EarthTime(2007, 3, 10, 0, 5, 0);
    EXPECT_TRUE(set.incrementValue("a")); // first use of the day: stays at 1
    EXPECT_EQ(written(), kHeader + line("a", "1", "2007-03-10") + kFooter);

    AutoIncrementedIdentificators unwritable;
    std::filesystem::create_directory(dir.file("dir.xml"));
    EXPECT_FALSE(unwritable.isValueFileWritten());
    ASSERT_TRUE(unwritable.init(defs(counter("a")), dir.file("dir.xml")));
    EXPECT_FALSE(unwritable.isValueFileWritten()) << "init succeeds all the same";
    EXPECT_FALSE(unwritable.incrementValue("a")); // moved in memory all the same
    EXPECT_EQ(nextOf(unwritable, "a"), "X070310002");
    EXPECT_TRUE(unwritable.updateIdentifier("a", "X0703100005"));
    EXPECT_FALSE(unwritable.isValueFileWritten()) << "so does updateIdentifier";
    EXPECT_EQ(nextOf(unwritable, "a"), "X070310006");
}

TEST_F(AutoIncrementedIdentificatorsTest, CopiesOwnTheirCounters) {
    auto original = std::make_unique<AutoIncrementedIdentificators>();
    ASSERT_TRUE(original->init(defs(counter("a") + counter("b")), values));
    AutoIncrementedIdentificators copy(*original);
    AutoIncrementedIdentificators assigned;
    assigned = *original;
    const AutoIncrementedIdentificators& self = assigned;
    assigned = self;
    EXPECT_TRUE(original->incrementValue("a"));
    EXPECT_EQ(nextOf(copy, "a"), "X070309001");
    original.reset();
    EXPECT_TRUE(copy.incrementValue("b")); // the copy keeps the value file name
    EXPECT_EQ(nextOf(assigned, "b"), "X070309001");
    EXPECT_EQ(written(), kHeader + line("a", "1") + line("b", "2") + kFooter);
}

/// The numbers N of the identifiers "X070309N" of the counter "a" that `writers` processes
/// took (see takeInProcesses), in ascending order.
std::vector<long> runWriters(const std::string& definitions, const std::string& values, int writers,
                             int count, useconds_t killAfter = 0) {
    std::vector<long> numbers;
    for (const std::string& taken : takeInProcesses(
             definitions, values, writers, count,
             [](AutoIncrementedIdentificators& set) { return set.takeValue("a"); }, killAfter)) {
        numbers.push_back(std::stol(taken.substr(7)));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

TEST_F(AutoIncrementedIdentificatorsTest, SharedWritersNeitherRepeatNorSkipAndSurviveKills) {
    std::string entries, lines;
    for (int i = 100; i < 400; ++i) { // a rewrite long enough to be interrupted half-way
        entries += counter("c" + std::to_string(i));
        lines += line("c" + std::to_string(i), "1");
    }
    const std::string definitions = defs(counter("a") + entries);
    std::vector<long> expected(160);
    std::iota(expected.begin(), expected.end(), 1L);
    EXPECT_EQ(runWriters(definitions, values, 4, 40), expected) << "four writers at once";
    EXPECT_EQ(written(), kHeader + line("a", "161") + lines + kFooter);

    std::mt19937 random(13);
    std::vector<long> taken = expected;
    for (int kill = 0; kill < 50; ++kill) {
        const auto delay = std::uniform_int_distribution<useconds_t>(0, 10000)(random);
        const std::vector<long> numbers = runWriters(definitions, values, 1, -1, delay);
        taken.insert(taken.end(), numbers.begin(), numbers.end());
    }
    std::sort(taken.begin(), taken.end());

    EXPECT_EQ(std::adjacent_find(taken.begin(), taken.end()), taken.end()) << "repeated";
    auto set = load(definitions, Mode::Shared);
    EXPECT_EQ(set.getValueFileState(), State::Saved);
    const auto after = set.takeValue("a");
    ASSERT_TRUE(after.has_value());
    EXPECT_GT(std::stol(after->substr(7)), taken.back());
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos)
            << "a temporary file survived the next change";
    }
}

TEST_F(AutoIncrementedIdentificatorsTest, OnlySharedModeLeavesUnreadableFilesAsTheyAre) {
    const std::string definitions = defs(counter("a"));
    const std::string unreadable =
        "the value file '" + values + "' cannot be read as a value file; it was left as it is";
    for (const std::string content :
         {"garbage", "", "<autoident><ident name=\"a\" value=\"9\"", "<Templates/>"}) {
        SCOPED_TRACE(content);
        dir.write("values.xml", content);
        auto set = load(definitions, Mode::Shared);
        EXPECT_EQ(set.getValueFileState(), State::Unreadable);
        OstrelException errors;
        EXPECT_EQ(set.takeValue("a", &errors), std::nullopt);
        EXPECT_FALSE(set.incrementValue("a"));
        EXPECT_EQ(readFile(values), content) << "left as it is";
        ASSERT_EQ(errors.getRecords().size(), 1u);
        EXPECT_EQ(errors.getRecords()[0].message.str(), unreadable);
        auto single = load(definitions); // a single writer starts every counter afresh
        EXPECT_EQ(written(), kHeader + line("a", "1") + kFooter);
    }
    // A line for a counter defined elsewhere (a newer definition file) stays.
    dir.write("values.xml", kHeader + line("a", "4") + line("b", "7") + kFooter);
    auto set = load(definitions, Mode::Shared);
    EXPECT_EQ(set.takeValue("a"), "X070309004");
    EXPECT_EQ(written(), kHeader + line("a", "5") + line("b", "7") + kFooter);
    OstrelException errors;
    EXPECT_EQ(set.takeValue("b", &errors), std::nullopt);
    EXPECT_EQ(errors.getRecords().at(0).message.str(), "no counter named 'b'");

    // Left as they are too: a link to an unmounted share, and a second name that each change
    // would part from the first.
    const std::string dangling = dir.file("dangling.xml"), share = dir.file("share/values.xml");
    std::filesystem::create_symlink(share, dangling);
    std::filesystem::create_hard_link(values, dir.file("second.xml"));
    for (const std::string& file : {dangling, values}) { // why, in words: the ident command's test
        AutoIncrementedIdentificators linked(Mode::Shared);
        ASSERT_TRUE(linked.init(definitions, file));
        EXPECT_EQ(linked.getValueFileState(), State::Unreadable) << file;
        EXPECT_EQ(linked.takeValue("a"), std::nullopt);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(written(), kHeader + line("a", "5") + line("b", "7") + kFooter);
}

TEST_F(AutoIncrementedIdentificatorsTest, SharedTakingRefusesACounterThatWouldRepeat) {
    const std::string definitions =
        defs(counter("a") +
             identEntry("still",
                        "prefix=\"S\" variable_length=\"1\" increment=\"0\" initial_value=\"1\""));
    auto set = load(definitions, Mode::Shared);
    // Another process moved the counter to its top after this set loaded: refused on the
    // values under the lock. Yesterday's top is no risk: numbering starts afresh today.
    dir.write("values.xml", kHeader + line("a", "4294967295") + kFooter);
    OstrelException errors;
    EXPECT_EQ(set.takeValue("a", &errors), std::nullopt);
    EXPECT_EQ(written(), kHeader + line("a", "4294967295") + kFooter) << "nothing moved";
    EXPECT_EQ(errors.getRecords().size(), 1u); // what it says: the ident command's test
    dir.write("values.xml", kHeader + line("a", "4294967295", "2007-03-08") + kFooter);
    EXPECT_EQ(set.takeValue("a"), "X070309001");
    // The host's own steps carry on as they always have: a counter that never moves loads.
    EXPECT_TRUE(set.incrementValue("still"));
    EXPECT_EQ(written(), kHeader + line("a", "2") + line("still", "1") + kFooter);
}

} // namespace
