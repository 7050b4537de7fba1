#include <gtest/gtest.h>

#include "modem/Telnet.h"

namespace qv {
namespace {

// The text and the answers of the pieces taken in turn, "|" between them.
std::string TakeAll(const std::vector<std::string>& pieces) {
    TelnetFilter filter;
    std::string data, answers;
    for (const std::string& piece : pieces) {
        TelnetFilter::Output out = filter.Take(piece);
        data += out.data;
        answers += out.answers;
    }
    return data + "|" + answers + (filter.PeerSpeaksTelnet() ? "|telnet" : "");
}

// Every command is recognised and answered the same wherever the receives split it.
TEST(TelnetFilterTest, RemovesAndAnswersCommandsSplitAtEveryByteBoundary) {
    const std::pair<std::string, std::string> rows[] = {
        {"login: ", "login: |"},
        {"p\xff\xfe\x01q\xff\xfc\x03", "pq||telnet"},  // DONT and WONT are never answered
        {"x\xff\xffy", "x\xffy||telnet"},
        {"p\xff\xf1q\xff\xf9r\xff\xf4", "pqr||telnet"},
        {"\xff\xfa\x18\x01\xff\xf0ok", "ok||telnet"},
        {"\xff\xfa\x18\xff\xff\xf0\x01\xff\xf0ok", "ok||telnet"},
        // DO is refused with WONT, WILL with DONT.
        {"\xff\xfd\x18\xff\xfd\x20\xff\xfb\x01\xff\xfb\x03\r\nhost login: ",
         "\r\nhost login: |\xff\xfc\x18\xff\xfc\x20\xff\xfe\x01\xff\xfe\x03|telnet"},
    };
    for (const auto& [bytes, want] : rows) {
        for (size_t cut = 0; cut <= bytes.size(); ++cut)
            EXPECT_EQ(TakeAll({bytes.substr(0, cut), bytes.substr(cut)}), want) << cut;
    }
}

}  // namespace
}  // namespace qv
