#include "platform/qt/qt_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdint>

#include "platform/qt/qt_button.h"
#include "platform/qt/qt_caption_bar.h"
#include "platform/qt/qt_forms_runtime.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_label.h"
#include "platform/qt/qt_picture_box.h"
#include "platform/qt/qt_text_box.h"
#include "platform/qt/qt_timer.h"
#include "platform/qt/qt_widget_style.h"
#include "platform/qt/qt_x11_window.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

namespace platform::qt {

form_widget::form_widget(qt_form& owner, bool resizable) : owner_(owner), resizable_(resizable) {
    setMouseTracking(resizable);
}

void form_widget::closeEvent(QCloseEvent* e) {
    e->accept();
    owner_.closing();
}

// The window system's reports come as spontaneous events; the window's own moves and
// resizes are told to it at once, as plain ones.
void form_widget::moveEvent(QMoveEvent* e) {
    if (e->spontaneous()) owner_.window_reported();
}

void form_widget::resizeEvent(QResizeEvent* e) {
    if (e->spontaneous()) owner_.window_reported();
    owner_.resized();
}

void form_widget::set_contents_offset(QPoint p) {
    if (p == offset_) return;
    offset_ = p;
    update();
}

int form_widget::border() { return snapped(3); }

Qt::Edges form_widget::edges_at(QPoint at) const {
    Qt::Edges edges;
    if (!resizable_) return edges;
    const QPoint p = at - offset_;
    const int b = border();
    const int grip = b + 2;  // a little beyond the border, for the corners
    if (p.x() < b) edges |= Qt::LeftEdge;
    if (p.x() >= width() - b) edges |= Qt::RightEdge;
    if (p.y() < b) edges |= Qt::TopEdge;
    if (p.y() >= height() - b) edges |= Qt::BottomEdge;
    if (edges & (Qt::LeftEdge | Qt::RightEdge)) {
        if (p.y() < grip) edges |= Qt::TopEdge;
        if (p.y() >= height() - grip) edges |= Qt::BottomEdge;
    }
    return edges;
}

QSize form_widget::minimum_outer_size() const {
    return minimumSizeHint().expandedTo(QSize(60, caption_bar::height() + 2 * border() + 10));
}

namespace {

hit_test_code hit_code(Qt::Edges e) {
    const bool l = e & Qt::LeftEdge, r = e & Qt::RightEdge, t = e & Qt::TopEdge, b = e & Qt::BottomEdge;
    if (t) return l ? httopleft : r ? httopright : httop;
    if (b) return l ? htbottomleft : r ? htbottomright : htbottom;
    return l ? htleft : htright;
}

}  // namespace

void form_widget::mousePressEvent(QMouseEvent* e) {
    const Qt::Edges edges = e->button() == Qt::LeftButton ? edges_at(e->position().toPoint()) : Qt::Edges();
    border_press_ = bool(edges);
    if (border_press_) {
        owner_.frame_press(hit_code(edges), e->globalPosition().toPoint());
    } else {
        owner_.pressed(e->button());
    }
}

void form_widget::mouseMoveEvent(QMouseEvent* e) {
    if (border_press_) {
        owner_.frame_drag(e->globalPosition().toPoint());
        return;
    }
    const Qt::Edges hover = edges_at(e->position().toPoint());
    const bool diag_a = hover == (Qt::LeftEdge | Qt::TopEdge) || hover == (Qt::RightEdge | Qt::BottomEdge);
    const bool diag_b = hover == (Qt::RightEdge | Qt::TopEdge) || hover == (Qt::LeftEdge | Qt::BottomEdge);
    setCursor(diag_a                                   ? Qt::SizeFDiagCursor
              : diag_b                                 ? Qt::SizeBDiagCursor
              : hover & (Qt::LeftEdge | Qt::RightEdge) ? Qt::SizeHorCursor
              : hover                                  ? Qt::SizeVerCursor
                                                       : Qt::ArrowCursor);
}

void form_widget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !border_press_) return;
    border_press_ = false;
    owner_.frame_release();
}

void form_widget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.translate(offset_);
    p.fillRect(rect(), QColor(212, 208, 200));
    p.setPen(QColor(64, 64, 64));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(Qt::white);
    p.drawLine(1, 1, width() - 2, 1);
    p.drawLine(1, 1, 1, height() - 2);
}

void client_widget::mousePressEvent(QMouseEvent* e) {
    e->accept();
    owner_.pressed(e->button());
}

qt_form::qt_form(const form_design& design, qt_forms_runtime& runtime, const QIcon& icon)
    : name_(design.name),
      runtime_(runtime),
      window_(new form_widget(*this, design.frame == frame_style::sizable_tool)),
      proc_([this](window_handle, const window_message& m) { return default_procedure(m); }) {
    window_->setObjectName(QString::fromStdString(design.name));
    window_->setWindowTitle(to_qstring(design.caption));
    window_->setFont(to_qfont(design.font));
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    // Every window draws its own narrow caption bar with a close button only: window
    // managers differ in which buttons they grant a tool window, and some add minimize
    // and maximize buttons whatever the window asks for.
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint;
    if (design.topmost) flags |= Qt::WindowStaysOnTopHint;
    window_->setWindowFlags(flags);
    if (design.use_program_icon) window_->setWindowIcon(icon);

    client_ = new client_widget(*this, window_);
    client_->setObjectName(QStringLiteral("client"));
    client_->setAutoFillBackground(true);
    const QSize client_size(snapped(to_pixels(design.client_width)), snapped(to_pixels(design.client_height)));
    build_controls(design, icon);
    // Made after the controls, so that its close button follows them in the tab order and
    // the focus a new window gives to its first control is not the close button's.
    caption_ = new caption_bar(to_qstring(design.caption), window_);
    caption_->on_close = [this] { window_->close(); };
    caption_->on_caption_press = [this](QPoint g) { frame_press(htcaption, g); };
    caption_->on_caption_drag = [this](QPoint g) { frame_drag(g); };
    caption_->on_caption_release = [this] { frame_release(); };
    const int b = form_widget::border();
    const QSize outer = client_size + QSize(2 * b, 2 * b + caption_bar::height());
    if (design.frame == frame_style::sizable_tool) window_->resize(outer);
    else window_->setFixedSize(outer);
    geometry_ = window_->geometry();
    layout_frame();
    set_tab_order(design);
    for (const timer_design& t : design.timers) timers_.push_back(std::make_unique<qt_timer>(t));
    watch_screens();
    place_check_.setSingleShot(true);
    place_check_.setInterval(300);
    connect(&place_check_, &QTimer::timeout, this, [this] { check_place(); });
    runtime_.form_created(this);
}

qt_form::~qt_form() {
    runtime_.form_destroyed(this);
    for (auto& t : timers_) t->set_enabled(false);
    window_->hide();
    window_->deleteLater();
}

void qt_form::build_controls(const form_design& design, const QIcon& icon) {
    for (const control_design& c : design.controls) {
        auto keep = [&](auto made) {
            by_name_[c.name] = {c.kind, made.get(), made->widget()};
            controls_.push_back(std::move(made));
        };
        switch (c.kind) {
        case control_kind::text_box: keep(std::make_unique<qt_text_box>(c, client_)); break;
        case control_kind::label: keep(std::make_unique<qt_label>(c, client_)); break;
        case control_kind::button: keep(std::make_unique<qt_button>(c, client_)); break;
        case control_kind::picture_box: keep(std::make_unique<qt_picture_box>(c, client_, icon)); break;
        }
    }
    for (const control_design& c : design.controls) {
        if (!c.describes.empty()) static_cast<qt_label&>(find<label>(c.name)).describe(by_name_.at(c.describes).widget);
        // Buttons stay above the icon box they overlap, so every button can be clicked.
        if (c.kind == control_kind::button) by_name_.at(c.name).widget->raise();
    }
}

void qt_form::set_tab_order(const form_design& design) {
    std::vector<const control_design*> order;
    for (const control_design& c : design.controls) order.push_back(&c);
    std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->tab_index < b->tab_index; });
    QWidget* previous = nullptr;
    for (const control_design* c : order) {
        QWidget* w = by_name_.at(c->name).widget;
        if (w->focusPolicy() == Qt::NoFocus) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void qt_form::layout_frame() {
    const int b = form_widget::border();
    const int w = window_->width() - 2 * b;
    const QPoint at = window_->contents_offset() + QPoint(b, b);
    caption_->setGeometry(at.x(), at.y(), w, caption_bar::height());
    client_->setGeometry(at.x(), at.y() + caption_bar::height(), w, window_->height() - 2 * b - caption_bar::height());
}

std::u16string qt_form::caption() const { return from_qstring(window_->windowTitle()); }

twips_rect qt_form::rect() const { return to_twips(geometry_); }

void qt_form::move(const twips_rect& r) {
    const QRect px = to_pixels(r);
    // A window of fixed size takes the new size as its fixed size.
    if (window_->minimumSize() == window_->maximumSize()) window_->setFixedSize(px.size());
    propose_geometry(px);
}

void qt_form::propose_geometry(const QRect& r) {
    geometry_ = r;
    place_window();
}

// The window stays on the screen and shows the part of the form that lies on it: the
// form shifted in the window, and the window shaped to that part, so that the rest
// neither draws nor takes the pointer. A slide along an edge changes only the shift and
// the shape; the window manager sees the window move only where the form comes onto the
// screen.
void qt_form::place_window() {
    if (positions_refused_) {
        // The whole form, unshifted and unshaped, where the window is: a window that does
        // not go where it is asked would show only a strip of the form, or nothing.
        geometry_.moveTopLeft(window_->geometry().topLeft());
        if (!window_->contents_offset().isNull()) {
            window_->set_contents_offset(QPoint(0, 0));
            layout_frame();
        }
        if (!window_->mask().isEmpty()) window_->clearMask();
        if (geometry_.size() != window_->size()) window_->resize(geometry_.size());
        return;
    }
    const QRegion desktop = desktop_area();
    const screen_placement p = !desktop.isEmpty()
                                   ? place_on_screen(geometry_, desktop)
                                   : screen_placement{geometry_, QPoint(0, 0), QRect(QPoint(0, 0), geometry_.size())};
    if (p.offset != window_->contents_offset()) {
        window_->set_contents_offset(p.offset);
        layout_frame();
    }
    const QRegion shape = p.visible.size() == p.window.size() ? QRegion() : QRegion(p.visible);
    if (shape != window_->mask()) {
        if (shape.isEmpty()) window_->clearMask();
        else window_->setMask(shape);
    }
    if (p.window != moves_.wanted() || p.window != window_->geometry()) {
        if (window_->isVisible() && p.window.topLeft() != window_->geometry().topLeft()) watch_answer();
        moves_.ask(p.window);
        window_->setGeometry(p.window);
    }
}

// Qt tells of a monitor added or removed in the middle of its own bookkeeping; the window
// is placed anew, and told, once that is done, and once for a burst of changes.
void qt_form::watch_screens() {
    const auto watch = [this](QScreen* s) { connect(s, &QScreen::geometryChanged, this, &qt_form::screens_changed); };
    for (QScreen* s : QGuiApplication::screens()) watch(s);
    connect(qApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen* s) {
        watch(s);
        screens_changed();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &qt_form::screens_changed);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, &qt_form::screens_changed);
}

void qt_form::screens_changed() {
    if (screens_changing_) return;
    screens_changing_ = true;
    QTimer::singleShot(0, this, [this] {
        screens_changing_ = false;
        place_window();
        send_message(window_message::plain(wm_displaychange));
    });
}

// From the first position asked for on: the window's place before it.
void qt_form::watch_answer() {
    if (place_check_.isActive()) return;
    unanswered_from_ = window_->geometry().topLeft();
    unanswered_checks_ = 0;
    place_check_.start();
}

// A window manager that follows the requests, however far behind, has moved the window
// from where it stood before them, or has told the toolkit where it is. One that has done
// neither after a few checks refuses positions: the toolkit is told where the window is,
// that report puts the form there, and a caption drag under way goes on as the window
// manager's move.
void qt_form::check_place() {
    constexpr int refusing_checks = 3;
    if (positions_refused_ || !window_->isVisible()) return;
    const std::optional<QRect> at = x11_geometry(window_);
    if (!at || *at == window_->geometry()) return;
    if (at->topLeft() != unanswered_from_) {
        unanswered_from_ = at->topLeft();
        unanswered_checks_ = 0;
    }
    if (++unanswered_checks_ < refusing_checks) {
        place_check_.start();
        return;
    }
    positions_refused_ = true;
    tell_x11_geometry(window_, *at);
    if (QGuiApplication::mouseButtons() & Qt::LeftButton) hand_over_frame_drag();
}

// A window manager that maps the window elsewhere than asked gets the request again;
// one that moves it later (the user through the window manager, or its own rules) has
// moved the form: the window shows the whole form where it stands. The placement at
// mapping comes within moments of the first show, and before the window is first active
// (the window manager activates it after placing it, the user by a click).
void qt_form::window_reported() {
    constexpr int placing_ms = 5000;
    const bool mapping = shown_.isValid() && !shown_.hasExpired(placing_ms) && !window_->isActiveWindow();
    const QRect at = window_->geometry();
    if (positions_refused_) {
        propose_geometry(at);
        return;
    }
    switch (moves_.reported(at, mapping)) {
    case move_tracker::report::asked_for: break;
    case move_tracker::report::placed_apart:
        watch_answer();
        window_->setGeometry(moves_.wanted());
        break;
    case move_tracker::report::moved_apart: propose_geometry(at); break;
    }
}

void qt_form::pointer_crossed(bool entered) { pointer_gone_ = !entered; }

lresult qt_form::send_message(const window_message& m) {
    const window_proc p = proc_;  // the procedure may be replaced while it runs
    return window_system::call_window_proc(p, handle(), m);
}

lresult qt_form::default_procedure(const window_message& m) {
    if (m.id() != wm_nclbuttondown) return 0;
    const window_message::frame_press& press = m.press();
    if (press.hit_test == htcaption || (press.hit_test >= htleft && press.hit_test <= htbottomright)) {
        size_move_hit_ = press.hit_test;
        press_global_ = QPoint(press.point.x, press.point.y);
        press_geometry_ = geometry_;
        send_message(window_message::plain(wm_entersizemove));
    }
    return 0;
}

namespace {

Qt::Edges edges_of(hit_test_code hit) {
    Qt::Edges e;
    if (hit == htleft || hit == httopleft || hit == htbottomleft) e |= Qt::LeftEdge;
    if (hit == htright || hit == httopright || hit == htbottomright) e |= Qt::RightEdge;
    if (hit == httop || hit == httopleft || hit == httopright) e |= Qt::TopEdge;
    if (hit == htbottom || hit == htbottomleft || hit == htbottomright) e |= Qt::BottomEdge;
    return e;
}

}  // namespace

// Where the window manager refuses positions, the move or resize that a press starts is
// its own (_NET_WM_MOVERESIZE), and the form follows the window it moves.
void qt_form::frame_press(hit_test_code hit, QPoint global) {
    size_move_hit_ = 0;
    send_message(window_message::nclbuttondown(hit, {global.x(), global.y()}));
    if (positions_refused_) hand_over_frame_drag();
}

void qt_form::hand_over_frame_drag() {
    QWindow* w = window_->windowHandle();
    if (!size_move_hit_ || !w) return;
    if (size_move_hit_ == htcaption) w->startSystemMove();
    else w->startSystemResize(edges_of(size_move_hit_));
}

// A caption drag proposes the window at its current size under the pointer; a border
// resize moves the grabbed edges from where they were at the press.
static void frame_rect(QRect& r, hit_test_code hit, QPoint d, QSize min) {
    const bool left = hit == htleft || hit == httopleft || hit == htbottomleft;
    const bool right = hit == htright || hit == httopright || hit == htbottomright;
    const bool top = hit == httop || hit == httopleft || hit == httopright;
    const bool bottom = hit == htbottom || hit == htbottomleft || hit == htbottomright;
    // QRect's right and bottom are its last pixels, inside it.
    if (left) r.setLeft(std::min(r.left() + d.x(), r.right() + 1 - min.width()));
    if (right) r.setRight(std::max(r.right() + d.x(), r.left() + min.width() - 1));
    if (top) r.setTop(std::min(r.top() + d.y(), r.bottom() + 1 - min.height()));
    if (bottom) r.setBottom(std::max(r.bottom() + d.y(), r.top() + min.height() - 1));
}

void qt_form::frame_drag(QPoint global) {
    if (!size_move_hit_ || positions_refused_) return;
    const QPoint d = global - press_global_;
    const bool moving = size_move_hit_ == htcaption;
    QRect proposed(press_geometry_.topLeft() + d, geometry_.size());
    if (!moving) {
        proposed = press_geometry_;
        frame_rect(proposed, size_move_hit_, d, window_->minimum_outer_size());
    }
    pixel_rect r{proposed.left(), proposed.top(), proposed.left() + proposed.width(),
                 proposed.top() + proposed.height()};
    send_message(moving ? window_message::moving(r) : window_message::sizing(r));
    propose_geometry(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
}

void qt_form::frame_release() {
    if (!size_move_hit_) return;
    size_move_hit_ = 0;
    send_message(window_message::plain(wm_exitsizemove));
}

bool qt_form::visible() const { return window_->isVisible(); }

void qt_form::show() {
    if (closed_) return;
    if (!open_) {
        open_ = true;
        if (!shown_.isValid()) shown_.start();
        runtime_.form_opened(this);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

window_state qt_form::state() const {
    const Qt::WindowStates s = window_->windowState();
    if (s & Qt::WindowMinimized) return window_state::minimized;
    if (s & (Qt::WindowMaximized | Qt::WindowFullScreen)) return window_state::maximized;
    return window_state::normal;
}

void qt_form::set_state(window_state s) {
    const Qt::WindowStates plain =
        window_->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    switch (s) {
    case window_state::normal: window_->setWindowState(plain); break;
    case window_state::minimized: window_->setWindowState(plain | Qt::WindowMinimized); break;
    case window_state::maximized: window_->setWindowState(plain | Qt::WindowMaximized); break;
    }
}

void qt_form::close() { window_->close(); }

void qt_form::closing() {
    if (closed_) return;
    closed_ = true;
    if (on_unload) on_unload();
    for (auto& t : timers_) t->set_enabled(false);
    window_->hide();
    const bool was_open = open_;
    open_ = false;
    auto closed = on_closed;
    if (was_open) runtime_.form_closed(this);
    if (closed) closed();  // may destroy this form
}

void qt_form::resized() {
    layout_frame();
    if (on_resize) on_resize();
}

void qt_form::pressed(Qt::MouseButton b) {
    if (!on_mouse_down) return;
    on_mouse_down(b == Qt::RightButton    ? mouse_button::right
                  : b == Qt::MiddleButton ? mouse_button::middle
                                          : mouse_button::left);
}

[[noreturn]] static void no_control_named(const std::string& n) { raise(err_control_not_found, to_u16(n)); }

template <class T>
T& qt_form::find(const std::string& n) {
    auto it = by_name_.find(n);
    if (it == by_name_.end() || it->second.kind != T::kind) no_control_named(n);
    return static_cast<T&>(*it->second.logic);
}

text_box& qt_form::text_box_named(const std::string& n) { return find<text_box>(n); }
label& qt_form::label_named(const std::string& n) { return find<label>(n); }
button& qt_form::button_named(const std::string& n) { return find<button>(n); }
picture_box& qt_form::picture_box_named(const std::string& n) { return find<picture_box>(n); }

timer& qt_form::timer_named(const std::string& n) {
    for (auto& t : timers_) {
        if (t->name() == n) return *t;
    }
    no_control_named(n);
}

std::vector<control*> qt_form::controls() {
    std::vector<control*> all;
    for (auto& c : controls_) all.push_back(c.get());
    return all;
}

}  // namespace platform::qt
