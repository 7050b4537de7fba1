// Thirty simulated days of the whole program with every service on, its timers on a simulated
// clock and the real modules behind the actions, while the web, the modem, the batch files and
// the shutdown fail at random (a fixed seed). The program must keep serving its timers to the
// end, and each kind of line must come exactly as often as the doubles saw the event behind
// it. Run under the sanitizers it also shows that nothing leaks.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "app/App.h"
#include "app/ProgramActions.h"
#include "app/Timer.h"
#include "app/frmIcon.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

constexpr uint32_t kSeed = 20261206;
constexpr int kDays = 30;

std::mt19937& Random() {
    static std::mt19937 random(kSeed);
    return random;
}
bool Chance(double p) {
    return std::bernoulli_distribution(p)(Random());
}

// Pages of a few kilobytes; a third of the fetches find no server.
class FlakyInternet : public Internet {
  public:
    int failures = 0;
    int successes = 0;
    std::unique_ptr<InternetRequest> OpenUrl(const std::string&) override {
        if (Chance(0.3)) {
            ++failures;
            return nullptr;
        }
        ++successes;
        return std::make_unique<Page>(1 + Random()() % 60000);
    }

  private:
    struct Page : InternetRequest {
        explicit Page(size_t size) : left(size) {}
        size_t Read(char* buffer, size_t size) override {
            size_t n = std::min(left, size);
            std::fill(buffer, buffer + n, 'p');
            left -= n;
            return n;
        }
        size_t left;
    };
};

// A modem that is often away, sometimes answers the wrong prompt and now and then drops a send.
class FlakyModem : public test::FakeSockets {
  public:
    int refused = 0, wrongPrompts = 0, failedSends = 0, reboots = 0;
    bool Connect(SocketId& s, const std::string& address, uint16_t port, uint32_t ms) override {
        bool ok = FakeSockets::Connect(s, address, port, ms) && !Chance(0.25);
        if (!ok && port == 23)
            ++refused;
        return ok;
    }
    // The first reply of a connection is the login prompt, or now and then another one.
    std::string Receive(SocketId s, size_t, uint32_t) override {
        const bool first = answered_.insert(s).second;
        if (Chance(0.15)) {
            wrongPrompts += first;
            return "Password: ";
        }
        return "Login: ";
    }
    int Send(SocketId s, const std::string& bytes, uint32_t ms) override {
        if (Chance(0.05)) {
            ++failedSends;
            return -1;
        }
        reboots += bytes == "reboot\r\n";
        return FakeSockets::Send(s, bytes, ms);
    }

  private:
    std::set<SocketId> answered_;
};

class SoakTest : public ::testing::Test {
  protected:
    void SetUp() override {
        t.InitPaths();
        app.SetActions(actions);
        for (const char* key : {"SrvShutAt", "SrvShutDuring", "SrvNicDuringN", "SrvNicDuringD",
                                "SrvModemFail", "SrvNicAt", "SrvModem", "SrvPing"})
            t.store.Put(key, "1");
        t.store.Put("PingUrls", "http://127.0.0.1/a,http://127.0.0.1/b");
        t.files.files[t.app.paths.CommandFilePath] =
            "127.0.0.1 23\r\nWAIT \"Login\"\r\nSEND \"admin\\m\"\r\nWAIT \"*\"\r\n"
            "SEND \"reboot\\m\"\r\n";
        t.timers.recordTicks = false;
        // A probe's answer comes in before the next tick, whatever tick that is.
        t.timers.onTick = [this](int id) {
            while (!modem.pending.empty())
                modem.Answer(!Chance(0.25));
            form.OnTimer(id);
        };
        t.clock.now = LocalTime{2026, 12, 30, 0, 0, 30};  // across a month and a year end
    }
    // Occurrences of a message at the start of a line's message.
    int Lines(const std::string& message) const {
        const std::string& log = t.files.files.at(app.paths.LogPath);
        int n = 0;
        for (size_t at = log.find(">   " + message); at != std::string::npos;
             at = log.find(">   " + message, at + 1))
            ++n;
        return n;
    }

    test::TestApp t;
    FlakyInternet internet;
    FlakyModem modem;
    Platform platform = t.Compose({.internet = &internet, .sockets = &modem});
    App app{platform};
    ProgramActions actions{app};
    FrmIcon form{app};
};

TEST_F(SoakTest, ThirtyDaysOfEveryServiceWithFailuresEverywhere) {
    form.Form_Load();
    for (int day = 0; day < kDays; ++day) {
        // Some days the batch files are gone and the Windows directory cannot be written.
        const bool missing = Chance(0.2);
        if (missing) {
            t.files.files.erase(app.paths.EnableBatchPath);
            t.files.files.erase(app.paths.DisableBatchPath);
            const std::string& batch = app.paths.EnableBatchPath;
            t.files.readOnlyFolders.insert(batch.substr(0, batch.rfind('\\')));
        } else {
            t.files.readOnlyFolders.clear();
        }
        t.timers.Run(86400LL * 1000);
    }

    EXPECT_EQ(app.MinuteCount, kDays * 1440);  // no tick was ever lost for good
    EXPECT_EQ(t.clock.now.year, 2027);
    EXPECT_FALSE(app.modem.Reboot.Running());
    EXPECT_EQ(app.modem.ModemSocket, kNoSocket);
    EXPECT_LE(modem.pending.size(), 1u);  // a probe's answer may still be on its way
    while (!modem.pending.empty())
        modem.Answer(true);
    EXPECT_TRUE(modem.open.empty());
    EXPECT_GE(app.IconState, 1);
    EXPECT_LE(app.IconState, 5);

    // Each kind of line as often as its event happened.
    EXPECT_EQ(Lines("Dastrel's Quorvane Helper Started."), 1);
    EXPECT_EQ(Lines("Unable to open : "), internet.failures);
    EXPECT_EQ(Lines("Modem Rebooted Successfully."), modem.reboots);
    EXPECT_EQ(Lines("Unable to Reboot Modem - Can't able to Connect "), modem.refused);
    EXPECT_EQ(Lines("Unable to Reboot Modem - Invalid Responce "), modem.wrongPrompts);
    EXPECT_EQ(Lines("Unable to send : "), modem.failedSends);
    const int failedReboots = modem.refused + modem.wrongPrompts + modem.failedSends;
    EXPECT_EQ(t.power.shutdowns, Lines("ShutDown Command Issued.") +
                                     Lines("Auto ShutDown Command Issued.") + failedReboots);
    EXPECT_EQ(Lines("ShutDown Command Issued."), kDays);
    // Once an hour, and before every shutdown once something was fetched.
    EXPECT_EQ(Lines("Total Data Downloaded for Connectivity : "), kDays * 24 + t.power.shutdowns);
    const int issued = Lines("Enable Nic Command Issued.") + Lines("Disable Nic Command Issued.") +
                       Lines("Auto Enable NIC Command Issued.") +
                       Lines("Auto Disable NIC Command Issued.");
    EXPECT_EQ(issued, static_cast<int>(t.process.started.size()) + Lines("File Missing : "));
    EXPECT_EQ(Lines("Enable Nic Command Issued."), kDays);
    EXPECT_EQ(Lines("Disable Nic Command Issued."), kDays);
    EXPECT_GT(internet.successes, kDays * 200);
    EXPECT_GT(modem.reboots, kDays);
    EXPECT_GT(Lines("File Missing : "), 0);
}

}  // namespace
}  // namespace qv
