#include <gtest/gtest.h>

#include "modem/Telnet.h"

namespace qv {
namespace {

struct Taken {
    std::string data;
    std::string answers;
    bool operator==(const Taken&) const = default;
};

Taken TakeAll(const std::vector<std::string>& pieces) {
    TelnetFilter filter;
    Taken all;
    for (const std::string& piece : pieces) {
        TelnetFilter::Output out = filter.Take(piece);
        all.data += out.data;
        all.answers += out.answers;
    }
    return all;
}

// Every command is recognised and answered the same wherever the receives split it.
TEST(TelnetFilterTest, RemovesAndAnswersCommandsSplitAtEveryByteBoundary) {
    struct Row {
        std::string name;
        std::string bytes;
        Taken want;
    };
    const std::vector<Row> rows = {
        {"plain text", "login: ", {"login: ", ""}},
        {"DO is refused with WONT", "\xff\xfd\x01", {"", "\xff\xfc\x01"}},
        {"WILL is refused with DONT", "\xff\xfb\x03", {"", "\xff\xfe\x03"}},
        {"DONT and WONT are never answered",
         "a\xff\xfe\x01"
         "b\xff\xfc\x03",
         {"ab", ""}},
        {"IAC IAC is one 255", "x\xff\xffy", {"x\xffy", ""}},
        {"two-byte commands",
         "a\xff\xf1"
         "b\xff\xf9"
         "c\xff\xf4",
         {"abc", ""}},
        {"subnegotiation", "\xff\xfa\x18\x01\xff\xf0ok", {"ok", ""}},
        {"IAC IAC inside a subnegotiation", "\xff\xfa\x18\xff\xff\xf0\x01\xff\xf0ok", {"ok", ""}},
        {"a server's opening",
         "\xff\xfd\x18\xff\xfd\x20\xff\xfb\x01\xff\xfb\x03\r\nDebian\r\nhost login: ",
         {"\r\nDebian\r\nhost login: ", "\xff\xfc\x18\xff\xfc\x20\xff\xfe\x01\xff\xfe\x03"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TakeAll({row.bytes}), row.want) << row.name;
        for (size_t cut = 0; cut <= row.bytes.size(); ++cut) {
            EXPECT_EQ(TakeAll({row.bytes.substr(0, cut), row.bytes.substr(cut)}), row.want)
                << row.name << " cut at " << cut;
        }
        std::vector<std::string> bytes;
        for (char c : row.bytes)
            bytes.emplace_back(1, c);
        EXPECT_EQ(TakeAll(bytes), row.want) << row.name << " byte by byte";
    }
}

TEST(TelnetFilterTest, APeerSpeaksTelnetFromItsFirst255) {
    TelnetFilter filter;
    filter.Take("banner\r\n");
    EXPECT_FALSE(filter.PeerSpeaksTelnet());
    // A lone IAC at the end of a receive: nothing of it shows, the command ends in the next.
    EXPECT_EQ(filter.Take("login\xff").data, "login");
    EXPECT_TRUE(filter.PeerSpeaksTelnet());
    TelnetFilter::Output out = filter.Take("\xfd\x01: ");
    EXPECT_EQ(out.data, ": ");
    EXPECT_EQ(out.answers, "\xff\xfc\x01");
    filter.Reset();
    EXPECT_FALSE(filter.PeerSpeaksTelnet());
}

}  // namespace
}  // namespace qv
