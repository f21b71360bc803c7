// A form on Qt Widgets: its window, frame, controls, timers and message procedure; made
// by qt_forms_runtime.
#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "platform/forms.h"
#include "platform/qt/qt_screen_placement.h"

namespace platform::qt {

class caption_bar;
class qt_timer;
class qt_form;

// The top-level widget of a form: the form's window, of the form's size. A left press on
// a frameless one's border becomes the press that starts a border resize. A form that
// lies partly beyond the screen is drawn shifted by its offset in the window.
class form_widget : public QWidget {
public:
    form_widget(qt_form& owner, bool resizable);
    // 3 pixels, on the pixel grid.
    static int border();
    // The smallest outer size a border resize may leave.
    QSize minimum_outer_size() const;
    // Where the form's top-left corner lies in the window.
    QPoint contents_offset() const { return offset_; }
    void set_contents_offset(QPoint p);

protected:
    void closeEvent(QCloseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    Qt::Edges edges_at(QPoint p) const;
    qt_form& owner_;
    bool resizable_;
    bool border_press_ = false;
    QPoint offset_;
};

// The client area: a press on it outside every control is a press on the bare window.
class client_widget : public QWidget {
public:
    client_widget(qt_form& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    qt_form& owner_;
};

class qt_forms_runtime;

class qt_form : public QObject, public form {
    Q_OBJECT
public:
    qt_form(const form_design& design, qt_forms_runtime& runtime, const QIcon& icon);
    ~qt_form() override;

    QWidget* widget() { return window_; }
    QWidget* client() { return client_; }

    const std::string& name() const override { return name_; }
    window_handle handle() const override { return reinterpret_cast<window_handle>(this); }
    std::u16string caption() const override;
    twips_rect rect() const override;
    void move(const twips_rect& r) override;
    bool visible() const override;
    void show() override;
    window_state state() const override;
    void set_state(window_state s) override;
    void close() override;

    text_box& text_box_named(const std::string& n) override;
    label& label_named(const std::string& n) override;
    button& button_named(const std::string& n) override;
    picture_box& picture_box_named(const std::string& n) override;
    timer& timer_named(const std::string& n) override;
    std::vector<control*> controls() override;

    // The form's outer rectangle in screen pixels, which may lie partly beyond the
    // screen; its window shows the part on the screen.
    QRect geometry() const { return geometry_; }

    // Called by the widgets.
    void closing();
    void resized();
    void pressed(Qt::MouseButton b);
    // The window system reports the window at a new place or size.
    void window_reported();
    // Puts the form at r, screen pixels: a move, or a rectangle proposed by a caption drag
    // or border resize.
    void propose_geometry(const QRect& r);

    // True from the window system's word that the pointer left the window for the root
    // until its word that the pointer is back. Told only where the pointer's position goes
    // stale while it is over other programs' windows; always false elsewhere.
    bool pointer_gone() const { return pointer_gone_; }
    void pointer_crossed(bool entered);

    // The window's procedure: every message the window generates goes through it.
    window_proc procedure() const { return proc_; }
    void set_procedure(window_proc p) { proc_ = std::move(p); }
    lresult send_message(const window_message& m);
    // A left press on the caption (htcaption) or a border (its hit-test code); the pointer
    // moving and released while the press holds. Passing the press on to the default
    // procedure starts the move or resize; each move of the pointer then proposes a
    // rectangle through wm_moving or wm_sizing, and the release ends it with wm_exitsizemove.
    void frame_press(hit_test_code hit, QPoint global);
    void frame_drag(QPoint global);
    void frame_release();

private:
    void build_controls(const form_design& design, const QIcon& icon);
    void set_tab_order(const form_design& design);
    void layout_frame();
    void place_window();
    void watch_screens();
    void screens_changed();
    void watch_answer();
    void check_place();
    void hand_over_frame_drag();
    template <class T>
    T& find(const std::string& n);

    std::string name_;
    qt_forms_runtime& runtime_;
    form_widget* window_;
    QRect geometry_;
    move_tracker moves_;
    QElapsedTimer shown_;  // since the first show
    // Some window managers leave a request for a new position unanswered, as sway does
    // through XWayland: the window stays, no event tells so, and the toolkit takes the
    // window to be where it asked. The window's place on the X server tells, checked a
    // while after a position is asked for and then again until it is answered.
    QTimer place_check_;
    QPoint unanswered_from_;
    int unanswered_checks_ = 0;
    // Such a window manager was seen: the window stands where the window manager puts it
    // and moves as it moves it, a caption drag or border resize handed to it.
    bool positions_refused_ = false;
    caption_bar* caption_ = nullptr;
    client_widget* client_;
    lresult default_procedure(const window_message& m);
    window_proc proc_;
    hit_test_code size_move_hit_ = 0;  // the press that runs the move or resize now, or 0
    QPoint press_global_;
    QRect press_geometry_;
    bool screens_changing_ = false;
    bool pointer_gone_ = false;
    bool open_ = false;
    bool closed_ = false;
    std::vector<std::unique_ptr<control>> controls_;
    // Each control by its design's name, with the kind the design gave it and its widget.
    struct placed_control {
        control_kind kind;
        control* logic;
        QWidget* widget;
    };
    std::map<std::string, placed_control> by_name_;
    std::vector<std::unique_ptr<qt_timer>> timers_;
};

}  // namespace platform::qt
