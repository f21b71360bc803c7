// A native Wayland window for the end-to-end tests under a Wayland compositor: frameless
// and maximized, so that it covers the whole monitor beneath the calculator, and telling
// on standard output where the pointer meets it, in its own coordinates ("enter X Y",
// "motion X Y", "leave"), and its size once shown ("size W H"). An X client cannot see a
// Wayland window; this one tells the test itself that it has the pointer.
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRasterWindow>
#include <cstdio>

namespace {

class native_window : public QRasterWindow {
protected:
    bool event(QEvent* e) override {
        switch (e->type()) {
        case QEvent::Enter: report("enter", static_cast<QEnterEvent*>(e)->position()); break;
        case QEvent::Leave: std::printf("leave\n"); break;
        case QEvent::MouseMove: report("motion", static_cast<QMouseEvent*>(e)->position()); break;
        default: break;
        }
        std::fflush(stdout);
        return QRasterWindow::event(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        std::printf("size %d %d\n", width(), height());
        QRasterWindow::resizeEvent(e);
    }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(QRect(QPoint(), size()), QColor(40, 60, 120)); }

private:
    static void report(const char* what, QPointF p) { std::printf("%s %d %d\n", what, qRound(p.x()), qRound(p.y())); }
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    native_window w;
    w.setTitle("native_window");
    w.setFlag(Qt::FramelessWindowHint);
    w.showMaximized();
    return app.exec();
}
