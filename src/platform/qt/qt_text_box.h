// The text box adapter: a platform::text_box on a QPlainTextEdit, converting texts and
// positions between the CR LF model and Qt's document.
#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QPlainTextEdit>
#include <functional>
#include <memory>
#include <utility>

#include "platform/qt/qt_control.h"

namespace platform::qt {

// The widget behind a text box; every insertion the user makes (typing, Enter, a paste, a
// drop, an input method's text) asks `fitting` first how many times in a row it may go in,
// the first time in place of the selection; fewer than asked is a refusal it has reported.
//
// A held key's repeats that arrive while the box is still busy with an edit are applied
// together, as one edit: in a long paragraph each edit costs a layout of the whole of it,
// and one per repeat would leave the window working long after the key is let go. The
// repeats wait for the next turn of the event loop; any other input goes in after them.
class text_edit_widget : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    std::function<int(const QString& inserted, int times)> fitting;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Enter without modifiers inserts a line break; with them Qt may do otherwise.
    enum class edit_key { none, text, enter, other_enter, backspace, del };
    edit_key edit_key_of(const QKeyEvent& e) const;
    void hold(QKeyEvent* e);
    void apply_held_repeats();
    void remove_repeated(bool backward, int times);

    std::unique_ptr<QKeyEvent> held_;
    int held_repeats_ = 0;
};

// A QPlainTextEdit seen through the text box model. The widget holds each line break as
// one block separator; the adapter hands out CR LF texts and positions that count a CR LF
// as two, converting both ways in time linear in the text's length. It keeps a copy of the
// text that follows each change of the document; the CR LF text is made from it when
// asked for after a change. A restored text goes into that copy at once and into the
// document slice by slice, so the copy can run ahead of the document at its front.
class qt_text_box : public QObject, public widget_control<text_box, text_edit_widget> {
    Q_OBJECT
public:
    qt_text_box(const control_design& design, QWidget* parent);

    std::u16string text() const override;
    void set_text(const std::u16string& t) override;
    void replace_text(const std::u16string& t) override;
    int sel_start() const override;
    void set_sel_start(int pos) override;
    int sel_length() const override;
    void set_sel_length(int len) override;
    std::u16string sel_text() const override;
    void set_sel_text(const std::u16string& t) override;
    snapshot text_snapshot() const override;
    int text_length() const override;
    void restore_text(std::u16string t) override;
    bool show_restored(std::size_t units) override;

private:
    // How many times in a row `inserted` goes in, the first in place of the selection,
    // before the text grows beyond max_length.
    int times_fitting(std::u16string_view inserted_lf, int times) const;
    void mirror_change(int from, int removed, int added);
    void on_widget_text_changed();
    void keep_layouts(int from, int removed, int added);
    void notify_change();
    void show_all_restored();
    static void give_back_freed_memory();
    // The view text for a change: its own copy, the CR LF text to be made again.
    std::u16string& own_view();
    const std::u16string& view_text() const;
    const std::u16string& model_text() const;
    int view_to_model(int view_pos) const;
    int model_to_view(int model_pos) const;
    // The selection's start and end in the model text.
    std::pair<int, int> model_selection() const;

    int max_length_ = 0;
    bool programmatic_ = false;
    // The document's text, one LF per line break, shared with snapshots until it changes.
    std::shared_ptr<std::u16string> view_ = std::make_shared<std::u16string>();
    mutable bool model_valid_ = true;
    mutable std::u16string model_;  // CR LF
    // Line breaks in the view text, so that the model's length needs no pass over it.
    std::size_t breaks_ = 0;
    // The view text's first characters that restore_text put in and the document does not
    // hold yet: a document position p is the view's position hidden_ + p.
    std::size_t hidden_ = 0;
    bool showing_restored_ = false;
};

}  // namespace platform::qt
