#include "platform/qt/qt_link_service.h"

#include <sys/un.h>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
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

class socket_conversation : public link_conversation {
public:
    explicit socket_conversation(std::unique_ptr<QLocalSocket> socket) : socket_(std::move(socket)) {}

    void execute(const std::u16string& command, int timeout_tenths) override {
        const std::string bytes = link_protocol::encode_command(command);
        QDeadlineTimer deadline(to_ms(timeout_tenths));
        if (socket_->state() != QLocalSocket::ConnectedState) raise(link_error_refused);
        socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
        while (socket_->bytesToWrite() > 0) {
            if (!socket_->waitForBytesWritten(remaining(deadline))) raise(give_up_reason(deadline));
        }
        link_protocol::line_reader reader(reply_limit);
        for (;;) {
            char buffer[reply_limit];
            const qint64 got = socket_->read(buffer, sizeof buffer);
            if (got < 0) raise(link_error_refused);
            const auto lines = reader.feed(std::string_view(buffer, static_cast<std::size_t>(got)));
            if (!lines.empty()) {
                if (lines.front() + '\n' == link_protocol::accepted) return;
                raise(link_error_refused);
            }
            if (reader.overflowed()) raise(link_error_refused);
            if (got == 0 && !socket_->waitForReadyRead(remaining(deadline))) raise(give_up_reason(deadline));
        }
    }

    void terminate(int timeout_tenths) override {
        socket_->disconnectFromServer();
        if (socket_->state() != QLocalSocket::UnconnectedState) socket_->waitForDisconnected(to_ms(timeout_tenths));
        socket_->abort();
    }

private:
    static int remaining(const QDeadlineTimer& d) { return static_cast<int>(std::max<qint64>(d.remainingTime(), 0)); }
    int give_up_reason(const QDeadlineTimer& d) const {
        return d.hasExpired() || socket_->state() == QLocalSocket::ConnectedState ? link_error_timeout
                                                                                  : link_error_refused;
    }
    std::unique_ptr<QLocalSocket> socket_;
};

}  // namespace

qt_link_service::qt_link_service(const std::string& exe_name, std::string folder, link_limits l)
    : folder_(folder.empty() ? link_folder() : std::move(folder)), limits_(l) {
    if (folder_.empty() || !usable_name(exe_name)) {
        qWarning("tallix: no private folder for the link between copies; running on its own");
        return;
    }
    const auto got = lock_.try_lock(folder_ + "/" + exe_name + ".lock");
    previous_ = got == file_lock::result::held_elsewhere;
    if (got == file_lock::result::unavailable)
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
    connections_ = 0;
    on_execute_ = nullptr;
    server->deleteLater();
}

void qt_link_service::resign() {
    withdraw();
    lock_.release();
}

// Beyond the limit a connection waits in the queue, and its client within its time-out,
// until a served one ends.
void qt_link_service::accept_pending() {
    while (server_ && connections_ < limits_.connections && server_->hasPendingConnections())
        serve_connection(server_->nextPendingConnection());
}

void qt_link_service::serve_connection(QLocalSocket* socket) {
    ++connections_;
    socket->setReadBufferSize(buffer_limit);
    auto reader = std::make_shared<link_protocol::line_reader>();
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->start(limits_.idle_ms);
    connect(idle, &QTimer::timeout, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
        --connections_;
        socket->deleteLater();
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
    QDeadlineTimer deadline(to_ms(timeout_tenths));
    const std::string lock = folder_ + "/" + application + ".lock";
    for (;;) {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(QString::fromStdString(path));
        if (socket->waitForConnected(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1))))
            return std::make_unique<socket_conversation>(std::move(socket));
        // A copy that holds its lock but is not listening yet is still starting up.
        if (deadline.hasExpired() || !lock_held_elsewhere(lock)) raise(link_error_no_answer);
        QThread::msleep(20);
    }
}

}  // namespace platform::qt
