// The link service on Qt's local sockets, made once by main.cpp.
#pragma once

#include <QElapsedTimer>
#include <QLocalServer>
#include <QObject>
#include <QTimer>
#include <list>
#include <string>

#include "platform/file_lock.h"
#include "platform/link_service.h"
#include "platform/qt/link_folder.h"

namespace platform::qt {

struct link_limits {
    int idle_ms = 5000;     // a connection must complete each command within this
    int connections = 128;  // connections served at once
    int grace_ms = 250;     // a connection is open this long before it may make room
    int backlog = 512;      // connections the system holds in order until they are taken
};

// The link between copies over local sockets in the user's private link folder: the
// service "application|topic" is the socket of that name, the previous-instance test the
// lock "<executable>.lock" beside it, taken when the service is made and held for the
// life of the process. The server runs on the event loop and trusts no client: lines are
// bounded, and idle connections are closed. Clients are taken in the order they came;
// while all places are taken and more clients wait, the connection open longest gives
// its place up once it has had its grace, unless a command of its is waiting to be
// read. So a flood of connections that say nothing keeps no real client out for long.
// A client waits for a copy that holds its lock, starting or busy, up to its time-out,
// and opens the conversation again when that copy hangs up before answering.
class qt_link_service : public QObject, public link_service {
    Q_OBJECT
public:
    // `folder` empty: the user's link folder (link_folder()).
    explicit qt_link_service(const std::string& exe_name, std::string folder = {}, link_limits l = {});
    ~qt_link_service() override;

    bool previous_instance() const override { return previous_; }
    bool serve(const std::string& application, const std::string& topic, execute_handler on_execute) override;
    void withdraw() override;
    void resign() override;
    std::unique_ptr<link_conversation> open(const std::string& application, const std::string& topic,
                                            int timeout_tenths) override;

    // The socket path of application|topic, or empty when the names cannot make one.
    std::string socket_path(const std::string& application, const std::string& topic) const;
    int connections() const { return static_cast<int>(served_.size()); }

private:
    struct served {
        class QLocalSocket* socket;
        qint64 since_ms;  // on clock_
    };
    void accept_pending();
    bool make_room();
    void serve_connection(class QLocalSocket* socket);
    void forget(class QLocalSocket* socket);

    std::string folder_;
    link_limits limits_;
    file_lock lock_;
    bool previous_ = false;
    QLocalServer* server_ = nullptr;
    execute_handler on_execute_;
    std::list<served> served_;  // the oldest first
    bool accepting_ = false;
    QElapsedTimer clock_;
    QTimer* room_timer_ = nullptr;
};

}  // namespace platform::qt
