#include "platform/qt/qt_link_service.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <thread>

#include "fakes/error_number.h"
#include "platform/runtime_error.h"

namespace {

using platform::qt::qt_link_service;
using strings = std::vector<std::string>;

// Pumps the event loop until the condition holds or a generous limit passes; the limit
// only keeps a broken build from hanging.
bool pump_until(const std::function<bool()>& done, int limit_ms = 10000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limit_ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        usleep(1000);
    }
    return true;
}

int unix_socket() { return socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0); }

sockaddr_un address(const std::string& path) {
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    path.copy(a.sun_path, sizeof a.sun_path - 1);
    return a;
}

// A client written against the bare socket, so that it can misbehave.
struct raw_client {
    int fd = -1;
    std::string received;
    bool closed = false;

    // Connects without blocking the event loop, which must run for the server to accept
    // once its backlog is full.
    explicit raw_client(const std::string& path) {
        fd = unix_socket();
        fcntl(fd, F_SETFL, O_NONBLOCK);
        const sockaddr_un a = address(path);
        int result = -1;
        pump_until([&] {
            result = connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a);
            return result == 0 || errno != EAGAIN;
        });
        if (result != 0) {
            close(fd);
            fd = -1;
            return;
        }
        fcntl(fd, F_SETFL, 0);
    }
    ~raw_client() {
        if (fd >= 0) close(fd);
    }
    bool connected() const { return fd >= 0; }
    void send_bytes(std::string_view bytes) { ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
    // Takes what has arrived without waiting; notes the server's hang-up.
    void poll_once() {
        if (closed || fd < 0) return;
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, 0) > 0) {
            char buf[256];
            const ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
            if (n <= 0) {
                closed = true;
                return;
            }
            received.append(buf, static_cast<std::size_t>(n));
        }
    }
    bool wait_for_answers(std::size_t lines) {
        return pump_until([&] {
            poll_once();
            return closed || static_cast<std::size_t>(std::count(received.begin(), received.end(), '\n')) >= lines;
        });
    }
    bool wait_for_hang_up() {
        return pump_until([&] {
            poll_once();
            return closed;
        });
    }
};

struct link_test : ::testing::Test {
    QTemporaryDir dir;
    std::string folder = dir.path().toStdString();
    std::unique_ptr<qt_link_service> first;
    std::vector<std::u16string> received;
    int refuse = 0;  // commands left to leave unaccepted

    void SetUp() override { first = std::make_unique<qt_link_service>("tallix", folder, limits()); }
    virtual platform::qt::link_limits limits() { return {300, 128}; }
    std::string path() const { return first->socket_path("tallix", "FormDDE"); }
    bool serve() {
        return first->serve("tallix", "FormDDE", [this](const std::u16string& c, int& cancel) {
            received.push_back(c);
            if (refuse > 0) {
                --refuse;
                return;
            }
            cancel = 0;
        });
    }
};

TEST_F(link_test, PreviousInstanceOnlyWhileAnotherCopyOfTheSameNameLives) {
    EXPECT_FALSE(first->previous_instance());
    auto second = std::make_unique<qt_link_service>("tallix", folder);
    EXPECT_TRUE(second->previous_instance());
    EXPECT_FALSE(qt_link_service("calc2", folder).previous_instance());
    first.reset();
    // The answer was fixed when the second copy started.
    EXPECT_TRUE(second->previous_instance());
    second.reset();
    EXPECT_FALSE(qt_link_service("tallix", folder).previous_instance());
}

TEST_F(link_test, OnlyTheFirstCopyServesAndOnlyItsUserCanReachTheSocket) {
    qt_link_service second("tallix", folder);
    EXPECT_FALSE(second.serve("tallix", "FormDDE", [](const std::u16string&, int& c) { c = 0; }));
    ASSERT_TRUE(serve());
    struct stat st {};
    ASSERT_EQ(lstat(path().c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 077, 0u) << std::oct << st.st_mode;
    EXPECT_EQ(st.st_uid, geteuid());

    first->withdraw();
    EXPECT_NE(lstat(path().c_str(), &st), 0);
    EXPECT_FALSE(raw_client(path()).connected());
}

TEST_F(link_test, StaleSocketFileOfAKilledCopyIsReplaced) {
    // What a killed copy leaves: a bound socket file nobody listens on.
    const int dead = unix_socket();
    const sockaddr_un a = address(path());
    ASSERT_EQ(bind(dead, reinterpret_cast<const sockaddr*>(&a), sizeof a), 0);
    close(dead);
    ASSERT_FALSE(raw_client(path()).connected());

    ASSERT_TRUE(serve());
    raw_client client(path());
    client.send_bytes("showme\n");
    ASSERT_TRUE(client.wait_for_answers(1));
    EXPECT_EQ(client.received, "ACK\n");
}

TEST_F(link_test, EveryCompleteCommandIsHandedOverExactlyAndAnswered) {
    ASSERT_TRUE(serve());
    raw_client client(path());
    refuse = 0;
    client.send_bytes("showme\nSHOWME\nshowme \n");
    client.send_bytes(std::string("\0\xFF\xFE\x01\n", 5));
    client.send_bytes("sho");
    client.send_bytes("wme\n");
    ASSERT_TRUE(client.wait_for_answers(5));
    EXPECT_EQ(client.received, "ACK\nACK\nACK\nACK\nACK\n");
    EXPECT_EQ(received, (std::vector<std::u16string>{u"showme", u"SHOWME", u"showme ",
                                                     std::u16string(u"\0\uFFFD\uFFFD\1", 4), u"showme"}));
}

TEST_F(link_test, CommandTheHandlerLeavesUnacceptedIsRefused) {
    ASSERT_TRUE(serve());
    refuse = 1;
    raw_client client(path());
    client.send_bytes("a\nb\n");
    ASSERT_TRUE(client.wait_for_answers(2));
    EXPECT_EQ(client.received, "NAK\nACK\n");
}

TEST_F(link_test, WithdrawingFromInsideACommandEndsEveryConnection) {
    ASSERT_TRUE(first->serve("tallix", "FormDDE", [this](const std::u16string&, int& cancel) {
        cancel = 0;
        first->withdraw();
    }));
    raw_client waiting(path());
    raw_client asking(path());
    ASSERT_TRUE(pump_until([&] { return first->connections() == 2; }));
    asking.send_bytes("showme\nshowme\n");
    EXPECT_TRUE(asking.wait_for_hang_up());
    EXPECT_TRUE(waiting.wait_for_hang_up());
    EXPECT_EQ(first->connections(), 0);
    EXPECT_FALSE(raw_client(path()).connected());
}

TEST_F(link_test, IdleAndHalfSentConnectionsAreClosedWithoutACommand) {
    ASSERT_TRUE(serve());
    raw_client idle(path());
    raw_client half(path());
    half.send_bytes("show");
    EXPECT_TRUE(idle.wait_for_hang_up());
    EXPECT_TRUE(half.wait_for_hang_up());
    EXPECT_EQ(idle.received, "");
    EXPECT_EQ(half.received, "");
    EXPECT_TRUE(received.empty());
    EXPECT_TRUE(pump_until([&] { return first->connections() == 0; }));
}

TEST_F(link_test, ClientThatHangsUpMidCommandLeavesNoTrace) {
    ASSERT_TRUE(serve());
    {
        raw_client gone(path());
        gone.send_bytes("show");
    }
    EXPECT_TRUE(pump_until([&] { return first->connections() == 0; }));
    EXPECT_TRUE(received.empty());
    raw_client next(path());
    next.send_bytes("showme\n");
    ASSERT_TRUE(next.wait_for_answers(1));
    EXPECT_EQ(received, std::vector<std::u16string>{u"showme"});
}

TEST_F(link_test, TenMegabytesWithoutALineEndAreCutOffWhileOthersAreServed) {
    ASSERT_TRUE(serve());
    raw_client flood(path());
    std::atomic<bool> done = false;
    std::atomic<std::size_t> sent = 0;
    std::thread writer([&] {
        const std::string chunk(64 * 1024, 'x');
        while (sent < 10u * 1024 * 1024) {
            const ssize_t n = ::send(flood.fd, chunk.data(), chunk.size(), MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += static_cast<std::size_t>(n);
        }
        done = true;
    });
    const bool finished = pump_until([&] { return done.load(); });
    if (!finished) shutdown(flood.fd, SHUT_RDWR);
    writer.join();
    ASSERT_TRUE(finished);
    EXPECT_LT(sent.load(), 10u * 1024 * 1024);  // the server hung up before the end
    EXPECT_TRUE(received.empty());

    raw_client next(path());
    next.send_bytes("showme\n");
    ASSERT_TRUE(next.wait_for_answers(1));
    EXPECT_EQ(next.received, "ACK\n");
}

TEST_F(link_test, PartnerThatNeverReadsItsAnswersIsCutOff) {
    ASSERT_TRUE(serve());
    raw_client deaf(path());
    std::atomic<bool> done = false;
    std::thread writer([&] {
        std::string lines;
        for (int i = 0; i < 4096; ++i) lines += "x\n";
        for (int i = 0; i < 2000; ++i) {
            if (::send(deaf.fd, lines.data(), lines.size(), MSG_NOSIGNAL) <= 0) break;
        }
        done = true;
    });
    const bool finished = pump_until([&] { return done.load(); }, 20000);
    if (!finished) shutdown(deaf.fd, SHUT_RDWR);
    writer.join();
    ASSERT_TRUE(finished);
    EXPECT_LT(received.size(), 2000u * 4096u);
}

TEST_F(link_test, HundredClientsAtOnceAreEachAnswered) {
    ASSERT_TRUE(serve());
    std::vector<std::unique_ptr<raw_client>> clients;
    for (int i = 0; i < 100; ++i) clients.push_back(std::make_unique<raw_client>(path()));
    for (auto& c : clients) {
        ASSERT_TRUE(c->connected());
        c->send_bytes("ping\n");
    }
    for (auto& c : clients) {
        ASSERT_TRUE(c->wait_for_answers(1));
        EXPECT_EQ(c->received, "ACK\n");
    }
    EXPECT_EQ(received.size(), 100u);
}

struct crowded_link_test : link_test {
    platform::qt::link_limits limits() override { return {5000, 1, 200}; }
};

// With every place taken, waiting clients are taken in the order they came, each as the
// connection open longest has had its grace and has no command left unread.
TEST_F(crowded_link_test, ClientsBeyondTheLimitAreTakenInOrderAsTheOldestGiveUpTheirPlaces) {
    ASSERT_TRUE(serve());
    raw_client idle(path());
    ASSERT_TRUE(pump_until([&] { return first->connections() == 1; }));
    raw_client a(path());
    a.send_bytes("a\n");
    raw_client b(path());
    b.send_bytes("b\n");
    ASSERT_TRUE(a.wait_for_answers(1));
    ASSERT_TRUE(b.wait_for_answers(1));
    EXPECT_EQ(a.received, "ACK\n");
    EXPECT_EQ(b.received, "ACK\n");
    EXPECT_EQ(received, (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_TRUE(idle.wait_for_hang_up());
    EXPECT_TRUE(a.wait_for_hang_up()) << "a made room for b";
    b.poll_once();
    EXPECT_FALSE(b.closed) << "nobody waits for b's place";
}

struct flooded_link_test : link_test {
    platform::qt::link_limits limits() override { return {5000, 8, 100}; }
};

TEST_F(flooded_link_test, AHundredConnectionsThatSayNothingKeepNoClientOut) {
    ASSERT_TRUE(serve());
    std::vector<std::unique_ptr<raw_client>> flood;
    for (int i = 0; i < 100; ++i) flood.push_back(std::make_unique<raw_client>(path()));
    raw_client real(path());
    real.send_bytes("showme\n");
    ASSERT_TRUE(real.wait_for_answers(1));
    EXPECT_EQ(real.received, "ACK\n");
    EXPECT_EQ(received, std::vector<std::u16string>{u"showme"});
}

// A server on the bare socket, in a thread of its own, so that the blocking client can
// be tested against it. It takes one connection for each answer, in turn, and writes
// the answer once the first line has come (an empty answer: it hangs up at once).
struct raw_server {
    std::vector<std::string> answers;
    bool hold = false;  // keep the last connection open without answering
    std::atomic<int> listener = -1;
    std::thread thread;
    std::vector<std::string> got;  // each connection's first line

    raw_server(const std::string& path, std::vector<std::string> a, bool h = false, int delay_ms = 0)
        : answers(std::move(a)), hold(h) {
        thread = std::thread([this, path, delay_ms] {
            if (delay_ms) std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
            listener = unix_socket();
            const sockaddr_un addr = address(path);
            ::bind(listener, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
            ::listen(listener, 4);
            for (const std::string& answer : answers) {
                const int c = ::accept(listener, nullptr, nullptr);
                if (c < 0) break;
                std::string line;
                char ch;
                while (::recv(c, &ch, 1, 0) == 1 && ch != '\n') line += ch;
                got.push_back(line);
                if (!answer.empty()) ::send(c, answer.data(), answer.size(), MSG_NOSIGNAL);
                if (hold && &answer == &answers.back()) {
                    char rest[16];
                    while (::recv(c, rest, sizeof rest, 0) > 0) {}
                }
                close(c);
            }
        });
    }
    ~raw_server() {
        // A client that gave up early leaves connections untaken.
        if (listener >= 0) shutdown(listener, SHUT_RDWR);
        thread.join();
        close(listener);
    }
};

TEST_F(link_test, ClientIsAcceptedOnlyOnAnAcknowledgement) {
    qt_link_service second("tallix", folder);
    // With no copy holding the lock, the client has nobody to wait for: every answer is final.
    const std::string socket = path();
    first.reset();
    struct case_t {
        std::string answer;
        bool hold;
        int error;
    };
    const case_t cases[] = {
        {"ACK\n", false, 0},
        {"NAK\n", false, platform::link_error_refused},
        {"", false, platform::link_error_refused},
        {"", true, platform::link_error_timeout},
        {std::string(200, 'A'), true, platform::link_error_refused},
        {"ACK", true, platform::link_error_timeout},
    };
    for (const auto& c : cases) {
        ::unlink(socket.c_str());
        raw_server server(socket, {c.answer}, c.hold);
        std::unique_ptr<platform::link_conversation> talk;
        ASSERT_TRUE(pump_until([&] {
            try {
                talk = second.open("tallix", "FormDDE", 10);
            } catch (const platform::runtime_error&) {}
            return talk != nullptr;
        }));
        EXPECT_EQ(fakes::error_number([&] { talk->execute(u"showme", 3); }), c.error) << c.answer;
        talk->terminate(1);
        talk.reset();
        EXPECT_EQ(server.got, strings{"showme"});
    }
}

TEST_F(link_test, ClientSendsAgainWhenTheRunningCopyHangsUpUnanswered) {
    // `first` holds tallix's lock: the copy that hung up still runs.
    qt_link_service second("tallix", folder);
    raw_server server(path(), {"", "", "ACK\n"});
    auto talk = second.open("tallix", "FormDDE", 50);
    EXPECT_EQ(fakes::error_number([&] { talk->execute(u"showme", 50); }), 0);
    talk->terminate(1);
    EXPECT_EQ(server.got, (strings{"showme", "showme", "showme"}));
}

TEST_F(link_test, OpeningAServiceNobodyOffersFails) {
    // tallix's lock is held, so the client waits out its time-out for the server.
    EXPECT_EQ(fakes::error_number([&] { first->open("tallix", "FormDDE", 2); }), platform::link_error_no_answer);
    EXPECT_EQ(fakes::error_number([&] { first->open("nobody", "FormDDE", 50); }), platform::link_error_no_answer);
    EXPECT_EQ(fakes::error_number([&] { first->open("../x", "FormDDE", 50); }), platform::link_error_no_answer);
    EXPECT_EQ(fakes::error_number([&] { first->open(std::string(200, 'a'), "FormDDE", 50); }),
              platform::link_error_no_answer);
}

TEST_F(link_test, ClientWaitsForACopyThatHoldsItsLockButIsNotListeningYet) {
    // `first` holds the lock of tallix and serves nothing; a server comes up a little later.
    qt_link_service second("tallix", folder);
    raw_server late(path(), {"ACK\n"}, false, 300);
    auto talk = second.open("tallix", "FormDDE", 50);
    EXPECT_EQ(fakes::error_number([&] { talk->execute(u"showme", 50); }), 0);
    talk->terminate(1);
}

}  // namespace
