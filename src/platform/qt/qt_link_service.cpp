#include "platform/qt/qt_link_service.h"

#include <sys/ioctl.h>
#include <sys/un.h>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "platform/qt/link_protocol.h"

namespace platform::qt {

namespace {

constexpr std::size_t reply_limit = 64;
// What the server buffers per connection, each way.
constexpr qint64 buffer_limit = 64 * 1024;

bool usable_name(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name.find('\0') == std::string::npos &&
           name != "." && name != "..";
}

int to_ms(int tenths) { return std::max(tenths, 1) * 100; }

int remaining(const QDeadlineTimer& d) { return static_cast<int>(std::max<qint64>(d.remainingTime(), 0)); }

// A connection to the socket at `path`, trying again while a copy holds the lock at
// `lock` (it is starting, or its queue is full) until the deadline; null when none is had.
std::unique_ptr<QLocalSocket> connect_to(const std::string& path, const std::string& lock,
                                         const QDeadlineTimer& deadline) {
    for (;;) {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(QString::fromStdString(path));
        if (socket->waitForConnected(std::max(remaining(deadline), 1))) return socket;
        if (deadline.hasExpired() || !lock_held_elsewhere(lock)) return nullptr;
        QThread::msleep(20);
    }
}

class socket_conversation : public link_conversation {
public:
    socket_conversation(std::unique_ptr<QLocalSocket> socket, std::string path, std::string lock)
        : socket_(std::move(socket)), path_(std::move(path)), lock_(std::move(lock)) {}

    // A copy that hangs up before it answers has dropped the connection (a crowded copy
    // drops those it takes for idle); while that copy runs, the command goes again on a
    // new connection, within the same time-out.
    void execute(const std::u16string& command, int timeout_tenths) override {
        const std::string bytes = link_protocol::encode_command(command);
        QDeadlineTimer deadline(to_ms(timeout_tenths));
        for (;;) {
            switch (ask(bytes, deadline)) {
            case outcome::accepted: return;
            case outcome::refused: raise(link_error_refused);
            case outcome::out_of_time: raise(link_error_timeout);
            case outcome::hung_up: break;
            }
            if (!lock_held_elsewhere(lock_)) raise(link_error_refused);
            QThread::msleep(20);
            if (deadline.hasExpired()) raise(link_error_timeout);
            auto again = connect_to(path_, lock_, deadline);
            if (!again) raise(deadline.hasExpired() ? link_error_timeout : link_error_refused);
            socket_ = std::move(again);
        }
    }

    void terminate(int timeout_tenths) override {
        socket_->disconnectFromServer();
        if (socket_->state() != QLocalSocket::UnconnectedState) socket_->waitForDisconnected(to_ms(timeout_tenths));
        socket_->abort();
    }

private:
    enum class outcome { accepted, refused, hung_up, out_of_time };

    outcome ask(const std::string& bytes, const QDeadlineTimer& deadline) {
        if (socket_->state() != QLocalSocket::ConnectedState) return outcome::hung_up;
        socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
        while (socket_->bytesToWrite() > 0) {
            if (!socket_->waitForBytesWritten(remaining(deadline))) return gave_up(deadline);
        }
        link_protocol::line_reader reader(reply_limit);
        for (;;) {
            char buffer[reply_limit];
            const qint64 got = socket_->read(buffer, sizeof buffer);
            if (got < 0) return outcome::hung_up;
            const auto lines = reader.feed(std::string_view(buffer, static_cast<std::size_t>(got)));
            if (!lines.empty())
                return lines.front() + '\n' == link_protocol::accepted ? outcome::accepted : outcome::refused;
            if (reader.overflowed()) return outcome::refused;
            if (got == 0 && !socket_->waitForReadyRead(remaining(deadline))) return gave_up(deadline);
        }
    }
    outcome gave_up(const QDeadlineTimer& d) const {
        return d.hasExpired() || socket_->state() == QLocalSocket::ConnectedState ? outcome::out_of_time
                                                                                  : outcome::hung_up;
    }

    std::unique_ptr<QLocalSocket> socket_;
    std::string path_;
    std::string lock_;
};

}  // namespace

qt_link_service::qt_link_service(const std::string& exe_name, std::string folder, link_limits l)
    : folder_(folder.empty() ? link_folder() : std::move(folder)), limits_(l), room_timer_(new QTimer(this)) {
    clock_.start();
    room_timer_->setSingleShot(true);
    connect(room_timer_, &QTimer::timeout, this, &qt_link_service::accept_pending);
    if (folder_.empty() || !usable_name(exe_name)) {
        qWarning("tallix: no private folder for the link between copies; running on its own");
        return;
    }
    const auto got = lock_.try_lock(folder_ + "/" + exe_name + ".lock");
    previous_ = got == file_lock::result::held_elsewhere;
    if (got == file_lock::result::unavailable || got == file_lock::result::refused)
        qWarning("tallix: cannot take the instance lock in %s; running on its own", folder_.c_str());
}

qt_link_service::~qt_link_service() { withdraw(); }

std::string qt_link_service::socket_path(const std::string& application, const std::string& topic) const {
    const std::string name = application + "|" + topic;
    if (folder_.empty() || !usable_name(application) || !usable_name(name)) return {};
    std::string path = folder_ + "/" + name;
    if (path.size() >= sizeof(sockaddr_un::sun_path)) return {};
    return path;
}

bool qt_link_service::serve(const std::string& application, const std::string& topic, execute_handler on_execute) {
    // Only the lock holder may replace a socket file: it is then a stale one.
    if (!lock_.held()) return false;
    const std::string path = socket_path(application, topic);
    if (path.empty()) return false;
    withdraw();
    QLocalServer::removeServer(QString::fromStdString(path));
    auto server = std::make_unique<QLocalServer>(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    server->setMaxPendingConnections(limits_.connections);
    server->setListenBacklogSize(limits_.backlog);
    if (!server->listen(QString::fromStdString(path))) {
        qWarning("tallix: cannot serve %s: %s", path.c_str(), qPrintable(server->errorString()));
        return false;
    }
    server_ = server.release();
    on_execute_ = std::move(on_execute);
    connect(server_, &QLocalServer::newConnection, this, &qt_link_service::accept_pending);
    return true;
}

void qt_link_service::withdraw() {
    if (!server_) return;
    // Deleted later: a command handler may be what withdraws the service.
    QLocalServer* server = std::exchange(server_, nullptr);
    server->close();  // removes the socket file
    for (QLocalSocket* socket : server->findChildren<QLocalSocket*>()) {
        socket->disconnect(this);
        socket->abort();
    }
    served_.clear();
    room_timer_->stop();
    on_execute_ = nullptr;
    server->deleteLater();
}

void qt_link_service::resign() {
    withdraw();
    lock_.release();
}

void qt_link_service::accept_pending() {
    if (accepting_) return;
    accepting_ = true;
    while (server_ && server_->hasPendingConnections()) {
        if (static_cast<int>(served_.size()) >= limits_.connections && !make_room()) break;
        serve_connection(server_->nextPendingConnection());
    }
    accepting_ = false;
}

// Closes the connection open longest that has had its grace and has no command waiting
// unread (the event loop reads that next); false when there is none yet, and the timer
// tries again once the oldest one's grace is over.
bool qt_link_service::make_room() {
    const qint64 now = clock_.elapsed();
    for (const served& s : served_) {
        const qint64 age = now - s.since_ms;
        if (age < limits_.grace_ms) {
            room_timer_->start(static_cast<int>(limits_.grace_ms - age));
            return false;
        }
        int unread = 0;
        if (s.socket->bytesAvailable() > 0 ||
            (::ioctl(static_cast<int>(s.socket->socketDescriptor()), FIONREAD, &unread) == 0 && unread > 0))
            continue;
        QLocalSocket* socket = s.socket;
        forget(socket);
        socket->abort();
        return true;
    }
    room_timer_->start(limits_.grace_ms);
    return false;
}

void qt_link_service::forget(QLocalSocket* socket) {
    const auto it =
        std::find_if(served_.begin(), served_.end(), [socket](const served& s) { return s.socket == socket; });
    if (it == served_.end()) return;
    served_.erase(it);
    socket->disconnect(this);
    socket->deleteLater();
}

void qt_link_service::serve_connection(QLocalSocket* socket) {
    served_.push_back({socket, clock_.elapsed()});
    socket->setReadBufferSize(buffer_limit);
    auto reader = std::make_shared<link_protocol::line_reader>();
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->start(limits_.idle_ms);
    connect(idle, &QTimer::timeout, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
        forget(socket);
        accept_pending();
    });
    const auto read_commands = [this, socket, reader, idle] {
        char buffer[4096];
        while (socket->state() == QLocalSocket::ConnectedState && socket->bytesAvailable() > 0) {
            const qint64 got = socket->read(buffer, sizeof buffer);
            if (got <= 0) break;
            for (const std::string& line : reader->feed(std::string_view(buffer, static_cast<std::size_t>(got)))) {
                int cancel = -1;
                if (const execute_handler handler = on_execute_) handler(link_protocol::decode_command(line), cancel);
                const std::string_view answer = cancel == 0 ? link_protocol::accepted : link_protocol::refused;
                socket->write(answer.data(), static_cast<qint64>(answer.size()));
                idle->start(limits_.idle_ms);
            }
            // A partner that floods lines or never reads its answers gets no more.
            if (reader->overflowed() || socket->bytesToWrite() > buffer_limit) {
                socket->abort();
                break;
            }
        }
    };
    connect(socket, &QLocalSocket::readyRead, this, read_commands);
    // A connection that waited for its place may have sent its command already.
    if (socket->bytesAvailable() > 0) QMetaObject::invokeMethod(socket, read_commands, Qt::QueuedConnection);
}

std::unique_ptr<link_conversation> qt_link_service::open(const std::string& application, const std::string& topic,
                                                         int timeout_tenths) {
    const std::string path = socket_path(application, topic);
    if (path.empty()) raise(link_error_no_answer);
    // A copy that holds its lock but is not listening yet is still starting up.
    const std::string lock = folder_ + "/" + application + ".lock";
    auto socket = connect_to(path, lock, QDeadlineTimer(to_ms(timeout_tenths)));
    if (!socket) raise(link_error_no_answer);
    return std::make_unique<socket_conversation>(std::move(socket), path, lock);
}

}  // namespace platform::qt
