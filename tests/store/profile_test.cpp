#include "store/profile.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using store::profile::document;

struct edit_case {
    const char* what;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

TEST(ProfileDocument, SetFollowsTheProfileRules) {
    const edit_case cases[] = {
        {"new file", "", "tallix", "textre", "3", "[tallix]\r\ntextre=3\r\n"},
        {"replaced in place", "[tallix]\r\na=1\r\ntextre=old\r\nb=2\r\n", "tallix", "textre", "3",
         "[tallix]\r\na=1\r\ntextre=3\r\nb=2\r\n"},
        {"names without regard to case", "[TALLIX]\r\nTextRe=old\r\n", "tallix", "textre", "3",
         "[TALLIX]\r\ntextre=3\r\n"},
        {"blanks around a file's key", "[tallix]\r\n  textre = old\r\n", "tallix", "textre", "3",
         "[tallix]\r\ntextre=3\r\n"},
        {"missing key after the section's last line, before the blank", "[tallix]\r\na=1\r\n\r\n[other]\r\nx=1\r\n",
         "tallix", "textre", "3", "[tallix]\r\na=1\r\ntextre=3\r\n\r\n[other]\r\nx=1\r\n"},
        {"missing section at the end", "; a comment\r\n[other]\r\nx=1\r\n", "tallix", "k", "v",
         "; a comment\r\n[other]\r\nx=1\r\n[tallix]\r\nk=v\r\n"},
        {"comments are never keys", "[tallix]\r\n;textre=keep\r\n#textre=keep\r\n", "tallix", "textre", "3",
         "[tallix]\r\n;textre=keep\r\n#textre=keep\r\ntextre=3\r\n"},
        {"the first of two sections", "[tallix]\r\nk=1\r\n[tallix]\r\nk=2\r\n", "tallix", "k", "v",
         "[tallix]\r\nk=v\r\n[tallix]\r\nk=2\r\n"},
        {"LF and lone CR lines become CR LF", "[tallix]\nk=1\rz=2", "tallix", "k", "v", "[tallix]\r\nk=v\r\nz=2\r\n"},
        {"a UTF-8 mark is kept", "\xEF\xBB\xBF[tallix]\r\nk=1\r\n", "tallix", "k", "v",
         "\xEF\xBB\xBF[tallix]\r\nk=v\r\n"},
        {"a UTF-16 file becomes UTF-8", std::string("\xFF\xFE[\0t\0]\0\r\0\n\0k\0=\0\x40\x26", 18), "t", "k", "v",
         "[t]\r\nk=v\r\n"},
        {"a key line outside every section is not the section's", "k=outside\r\n[tallix]\r\n", "tallix", "k", "v",
         "k=outside\r\n[tallix]\r\nk=v\r\n"},
        {"an empty value", "[tallix]\r\nk=1\r\n", "tallix", "k", "", "[tallix]\r\nk=\r\n"},
    };
    for (const auto& c : cases) {
        document doc(c.before);
        EXPECT_TRUE(doc.set(c.section, c.key, c.value)) << c.what;
        EXPECT_EQ(doc.bytes(), c.after) << c.what;
    }
}

TEST(ProfileDocument, RefusesWhatWouldChangeTheFileShape) {
    const std::string before = "[tallix]\r\nk=1\r\n";
    const std::pair<const char*, const char*> bad_keys_and_values[] = {
        {"", "v"},   {" k", "v"}, {"k ", "v"},   {"a=b", "v"},         {"[x", "v"},
        {";x", "v"}, {"#x", "v"}, {"a\nb", "v"}, {"k", "a\r\n[evil]"}, {"k", "line\n"},
    };
    for (const auto& [key, value] : bad_keys_and_values) {
        document doc(before);
        EXPECT_FALSE(doc.set("tallix", key, value)) << key << "|" << value;
        EXPECT_EQ(doc.bytes(), before);
    }
    document doc(before);
    EXPECT_FALSE(doc.set("a]b", "k", "v"));
    EXPECT_FALSE(doc.set("", "k", "v"));
    EXPECT_FALSE(doc.set("x\r\n", "k", "v"));
    EXPECT_EQ(doc.bytes(), before);
}

TEST(ProfileDocument, ReplacedAliasesGoAndTheFirstMatchTakesTheirPlace) {
    document doc("[s]\r\na=1\r\nk:lines=x\\ny\r\nb=2\r\nk=stale\r\n");
    ASSERT_TRUE(doc.set("s", "k", "new", {"k:lines"}));
    EXPECT_EQ(doc.bytes(), "[s]\r\na=1\r\nk=new\r\nb=2\r\nk=stale\r\n");
    const auto hit = doc.find("s", {"k:lines", "k"});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->key_index, 1u);
    EXPECT_EQ(hit->value, "new");
}

TEST(ProfileDocument, FindReadsTheValueAfterTheFirstEqualsSignUntrimmed) {
    document doc("[s]\r\nk= a=b \r\n");
    ASSERT_TRUE(doc.find("S", {"K"}));
    EXPECT_EQ(doc.find("S", {"K"})->value, " a=b ");
    EXPECT_FALSE(doc.find("other", {"k"}));
    EXPECT_FALSE(doc.find("s", {"a"}));
}

TEST(ProfileDocument, AnyBytesParseWithoutHarm) {
    const std::string odd[] = {
        std::string("\xFF\xFE\x41", 3),
        "\xC3\x28=\xFF\r\n[\xE2\x82]\r\nk=\x80",
        "[",
        "]",
        "=",
        "[s\r\n=v",
        std::string("\0\0\0", 3),
        "\r\r\n\n",
        std::string("\xFE\xFF\0[\0s\0]", 8),
    };
    for (const auto& bytes : odd) {
        document doc(bytes);
        (void)doc.find("s", {"k"});
        EXPECT_TRUE(doc.set("s", "k", "v"));
        EXPECT_EQ(doc.find("s", {"k"})->value, "v");
    }
    // Random bytes drawn from the characters that matter to the parser.
    std::mt19937 random(7);
    const std::string alphabet = std::string("[]=;#\r\n \t\xFF\xFE\xEF\xBB\xBFsk\0", 17);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 40, ' ');
        for (char& c : bytes) c = alphabet[random() % alphabet.size()];
        document doc(bytes);
        ASSERT_TRUE(doc.set("s", "k", "v"));
        ASSERT_EQ(document(doc.bytes()).find("s", {"k"})->value, "v") << ::testing::PrintToString(bytes);
    }
    document bad_utf8("[s]\r\nk=\xC3\x28\xFF\r\n");
    EXPECT_EQ(bad_utf8.find("s", {"k"})->value, "\xC3\x28\xFF");
}

}  // namespace
