#include "platform/qt/qt_text_box.h"

#include <QAbstractUndoItem>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/text.h"

namespace platform::qt {

namespace {

QString typed_text(const QKeyEvent& e) {
    return e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter ? QStringLiteral("\n") : e.text();
}

// The input that must find a held key's repeats applied: anything but the repeats.
bool comes_after_held_repeats(const QEvent& e) {
    switch (e.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: return !static_cast<const QKeyEvent&>(e).isAutoRepeat();
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::FocusOut:
    case QEvent::Close: return true;
    default: return false;
    }
}

}  // namespace

text_edit_widget::edit_key text_edit_widget::edit_key_of(const QKeyEvent& e) const {
    if (isReadOnly()) return edit_key::none;
    const bool plain = (e.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) return plain ? edit_key::enter : edit_key::other_enter;
    if (plain && e.key() == Qt::Key_Backspace) return edit_key::backspace;
    if (plain && e.key() == Qt::Key_Delete) return edit_key::del;
    const QString text = e.text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(e.modifiers() & Qt::ControlModifier)) return edit_key::text;
    return edit_key::none;
}

void text_edit_widget::keyPressEvent(QKeyEvent* e) {
    const edit_key kind = edit_key_of(*e);
    if (e->isAutoRepeat() && kind != edit_key::none && kind != edit_key::other_enter) return hold(e);
    apply_held_repeats();
    if (kind != edit_key::none && kind != edit_key::backspace && kind != edit_key::del && fitting &&
        fitting(typed_text(*e), 1) < 1)
        return e->accept();
    QPlainTextEdit::keyPressEvent(e);
}

void text_edit_widget::hold(QKeyEvent* e) {
    e->accept();
    if (held_ && (held_->key() != e->key() || held_->modifiers() != e->modifiers() || held_->text() != e->text()))
        apply_held_repeats();
    if (!held_) {
        held_.reset(e->clone());
        qApp->installEventFilter(this);
        QMetaObject::invokeMethod(
            this, [this] { apply_held_repeats(); }, Qt::QueuedConnection);
    }
    ++held_repeats_;
}

bool text_edit_widget::eventFilter(QObject* watched, QEvent* e) {
    if (held_ && comes_after_held_repeats(*e)) apply_held_repeats();
    return QPlainTextEdit::eventFilter(watched, e);
}

// The repeats go in as one edit of the document, with the effect they would have had one
// by one. Typed text goes through Qt's own handling of the key, as one event carrying the
// text of them all.
void text_edit_widget::apply_held_repeats() {
    if (!held_) return;
    qApp->removeEventFilter(this);
    const std::unique_ptr<QKeyEvent> key = std::move(held_);
    int times = std::exchange(held_repeats_, 0);
    const edit_key kind = edit_key_of(*key);
    if ((kind == edit_key::text || kind == edit_key::enter) && fitting) times = fitting(typed_text(*key), times);
    if (times <= 0) return;
    switch (kind) {
    case edit_key::text: {
        QKeyEvent all(QEvent::KeyPress, key->key(), key->modifiers(), key->text().repeated(times), true,
                      static_cast<quint16>(std::min(times, 0xFFFF)));
        QPlainTextEdit::keyPressEvent(&all);
        break;
    }
    case edit_key::enter: {
        QTextCursor c = textCursor();
        c.insertText(QString(times, QLatin1Char('\n')));
        setTextCursor(c);
        break;
    }
    case edit_key::backspace:
    case edit_key::del: remove_repeated(kind == edit_key::backspace, times); break;
    case edit_key::none:
    case edit_key::other_enter: break;
    }
}

// Backspace takes the character before the caret (a surrogate pair whole), Delete the one
// after it as the layout divides the text into characters; either takes a selection first.
void text_edit_widget::remove_repeated(bool backward, int times) {
    QTextCursor c = textCursor();
    int start = c.selectionStart();
    int end = c.selectionEnd();
    const int left = c.hasSelection() ? times - 1 : times;
    if (backward) {
        const QTextDocument* doc = document();
        for (int i = 0; i < left && start > 0; ++i) {
            --start;
            if (start > 0 && doc->characterAt(start).isLowSurrogate() && doc->characterAt(start - 1).isHighSurrogate())
                --start;
        }
    } else {
        QTextCursor after(document());
        after.setPosition(end);
        after.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, left);
        end = after.position();
    }
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    setTextCursor(c);
}

void text_edit_widget::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText() && fitting && fitting(source->text(), 1) < 1) return;
    QPlainTextEdit::insertFromMimeData(source);
}

void text_edit_widget::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty() && fitting && fitting(e->commitString(), 1) < 1) return e->accept();
    QPlainTextEdit::inputMethodEvent(e);
}

qt_text_box::qt_text_box(const control_design& design, QWidget* parent)
    : widget_control(design, new text_edit_widget(parent)), max_length_(design.max_length) {
    QPlainTextEdit* edit = widget();
    widget()->fitting = [this](const QString& inserted, int times) {
        const int n = times_fitting(to_lf(from_qstring(inserted)), times);
        if (n < times && on_too_long) on_too_long();
        return n;
    };
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    edit->setReadOnly(design.read_only);
    // Wrapping at word boundaries searches each line's text for a boundary and, in a
    // long formula without one, takes seconds per keystroke; breaking anywhere is linear.
    edit->setWordWrapMode(QTextOption::WrapAnywhere);
    // Each edit lays out its whole paragraph, and shaping it through the font's tables
    // was half of that; digits, operators and Chinese need no shaping (scripts that do,
    // such as Arabic or Devanagari, are shaped all the same).
    QFont font = edit->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    edit->setFont(font);
    // Left to right as a formula reads. Left to Qt, each caret placement would scan the
    // whole paragraph for its first strong character to pick the direction.
    QTextOption option = edit->document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    edit->document()->setDefaultTextOption(option);
    connect(edit, &QPlainTextEdit::textChanged, this, &qt_text_box::on_widget_text_changed);
    // Emitted before the document relayouts the edited paragraphs, so even the first
    // layout after an edit is kept.
    connect(edit->document(), &QTextDocument::contentsChange, this, [this](int from, int removed, int added) {
        mirror_change(from, removed, added);
        // A restored history is many short lines that nobody edits yet; a layout object
        // for each would cost more memory than the text.
        if (!showing_restored_) keep_layouts(from, removed, added);
    });
}

namespace {

// The document's raw text keeps every character as typed (a plain-text export would turn
// no-break spaces into blanks); only its paragraph separators become LF.
std::u16string lf_text(const QString& raw) {
    std::u16string text = from_qstring(raw);
    std::replace(text.begin(), text.end(), u'\u2029', u'\n');
    return text;
}

std::size_t line_breaks(std::u16string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
}

// Qt's undo history folds a typed character into the edit block before it, so one Ctrl+Z
// would take back a button's text together with what was typed after it. An item that
// does nothing, at the end of the block, is no insertion to fold into.
class step_end final : public QAbstractUndoItem {
public:
    void undo() override {}
    void redo() override {}
};

// The program's edit as one undo step of its own: nothing typed before or after it joins
// it.
void insert_as_one_step(QTextCursor& c, const QString& s) {
    c.beginEditBlock();
    c.insertText(s);
    c.document()->appendUndoItem(new step_end);
    c.endEditBlock();
}

}  // namespace

// The view text follows every change of the document as it happens, so reading the text
// costs nothing more than converting it, and a snapshot costs nothing at all.
void qt_text_box::mirror_change(int from, int removed, int added) {
    // A restored slice is in the view text already.
    if (showing_restored_) return;
    std::u16string& view = own_view();
    const QTextDocument* doc = widget()->document();
    const auto length = static_cast<std::size_t>(doc->characterCount() - 1);  // without the last separator
    const auto doc_from = static_cast<std::size_t>(from);
    const std::size_t at = hidden_ + doc_from;
    // A whole new text is reported with the document's last paragraph separator, which is
    // no character of the text.
    const std::size_t gone = std::min(static_cast<std::size_t>(removed), view.size() - std::min(at, view.size()));
    const std::size_t end = std::min(doc_from + static_cast<std::size_t>(added), length);
    if (at <= view.size() && view.size() - gone + (end - std::min(doc_from, end)) == hidden_ + length) {
        QTextCursor c(widget()->document());
        c.setPosition(from);
        c.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
        const std::u16string added_text = lf_text(c.selectedText());
        breaks_ = breaks_ - line_breaks(std::u16string_view(view).substr(at, gone)) + line_breaks(added_text);
        view.replace(at, gone, added_text);
        return;
    }
    // A report that does not add up: take the document's whole text afresh.
    view.replace(std::min(hidden_, view.size()), std::u16string::npos, lf_text(doc->toRawText()));
    breaks_ = line_breaks(view);
}

// Snapshots share the view text until it changes; whatever changes it takes it over first.
std::u16string& qt_text_box::own_view() {
    if (view_.use_count() > 1) view_ = std::make_shared<std::u16string>(*view_);
    model_valid_ = false;
    return *view_;
}

text_box::snapshot qt_text_box::text_snapshot() const {
    return [view = std::shared_ptr<const std::u16string>(view_)] { return to_crlf(*view); };
}

// A paragraph's layout normally drops its shaped glyphs as soon as its lines are made,
// and every caret move, caret blink and repaint afterwards shapes the whole paragraph
// again: for a formula of a megabyte on one line that is several full passes per
// keystroke. Kept, the glyphs are reshaped only when the paragraph's text changes.
void qt_text_box::keep_layouts(int from, int, int added) {
    const QTextDocument* doc = widget()->document();
    const QTextBlock last = doc->findBlock(from + added);
    for (QTextBlock b = doc->findBlock(from); b.isValid(); b = b.next()) {
        b.layout()->setCacheEnabled(true);
        if (b == last) break;
    }
}

int qt_text_box::times_fitting(std::u16string_view inserted_lf, int times) const {
    const std::size_t each = inserted_lf.size() + line_breaks(inserted_lf);
    if (max_length_ <= 0 || each == 0) return times;
    const std::size_t kept = static_cast<std::size_t>(text_length()) - static_cast<std::size_t>(sel_length());
    const std::size_t room =
        static_cast<std::size_t>(max_length_) - std::min(kept, static_cast<std::size_t>(max_length_));
    return static_cast<int>(std::min(static_cast<std::size_t>(times), room / each));
}

void qt_text_box::on_widget_text_changed() {
    if (!programmatic_) notify_change();
}

void qt_text_box::notify_change() {
    if (on_change) on_change();
}

const std::u16string& qt_text_box::view_text() const { return *view_; }

const std::u16string& qt_text_box::model_text() const {
    if (!model_valid_) {
        model_ = to_crlf(*view_);
        model_valid_ = true;
    }
    return model_;
}

std::u16string qt_text_box::text() const { return model_text(); }

int qt_text_box::text_length() const { return static_cast<int>(view_->size() + breaks_); }

// The text goes into the view at once, converted where it lies; the document gets it in
// slices. Undo stays off until the last slice, so that no slice becomes an undo step and
// nothing the user does meanwhile can be undone into a document that then changes under it.
void qt_text_box::restore_text(std::u16string t) {
    to_lf_in_place(t);
    if (t.empty()) return;
    std::u16string& view = own_view();
    const std::size_t added = t.size();
    breaks_ += line_breaks(t);
    if (view.empty()) {
        view = std::move(t);
    } else {
        view.insert(0, t);
    }
    hidden_ += added;
    widget()->document()->setUndoRedoEnabled(false);
}

bool qt_text_box::show_restored(std::size_t units) {
    if (hidden_ == 0) return false;
    const std::u16string& view = *view_;
    std::size_t n = std::min(std::max<std::size_t>(units, 1), hidden_);
    if (n < hidden_) {
        // A slice starts a line where it can, so that the top line shown is never a
        // stump of an entry; a surrogate pair stays in one slice.
        const std::size_t line = std::u16string_view(view).substr(hidden_ - n, n - 1).find(u'\n');
        if (line != std::u16string_view::npos) {
            n -= line + 1;
        } else if (QChar::isLowSurrogate(view[hidden_ - n])) {
            ++n;
        }
    }
    const QString slice = QString::fromUtf16(view.data() + (hidden_ - n), static_cast<qsizetype>(n));
    QTextCursor c(widget()->document());
    showing_restored_ = true;
    programmatic_ = true;
    c.insertText(slice);
    programmatic_ = false;
    showing_restored_ = false;
    hidden_ -= n;
    give_back_freed_memory();
    if (hidden_ > 0) return true;
    widget()->document()->setUndoRedoEnabled(true);
    set_sel_start(0);
    // For tools/start_bench.sh, which times how long a long history takes to come in.
    if (qEnvironmentVariableIsSet("TALLIX_TRACE_START")) std::fputs("tallix: restored text shown\n", stderr);
    return false;
}

// The document keeps its text and its piece tables in arrays that double as they fill;
// each time, the old array is left behind as a hole in the heap that no later request
// fits, and a restored history of 10 MB would leave some 40 MB of them. Handed back to
// the system after each slice, they never add up; it costs well under a millisecond.
void qt_text_box::give_back_freed_memory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Whatever is still waiting to be shown goes in now, for edits that need the whole
// document.
void qt_text_box::show_all_restored() {
    while (show_restored(hidden_)) {}
}

// The widget's text is compared and set in its LF form, so the new text is converted once.
void qt_text_box::set_text(const std::u16string& t) {
    if (hidden_ > 0) {
        std::u16string& view = own_view();
        view.erase(0, hidden_);
        breaks_ = line_breaks(view);
        hidden_ = 0;
        widget()->document()->setUndoRedoEnabled(true);
    }
    const std::u16string wanted = to_lf(t);
    if (wanted == view_text()) {
        set_sel_start(0);
        return;
    }
    programmatic_ = true;
    widget()->setPlainText(to_qstring(wanted));
    programmatic_ = false;
    set_sel_start(0);
    notify_change();
}

// Only the part that differs is replaced, so that undoing an appended operator takes
// back the operator, not the whole formula, and a long formula costs no copy of itself
// in the undo history.
void qt_text_box::replace_text(const std::u16string& t) {
    const std::u16string wanted = to_lf(t);
    if (max_length_ > 0 && to_crlf(wanted).size() > static_cast<std::size_t>(max_length_)) {
        if (on_too_long) on_too_long();
        return;
    }
    show_all_restored();
    const std::u16string& now = view_text();
    if (wanted == now) {
        set_sel_start(0);
        return;
    }
    const auto suffix = static_cast<std::size_t>(
        std::mismatch(now.rbegin(), now.rend(), wanted.rbegin(), wanted.rend()).first - now.rbegin());
    const std::size_t room = std::min(now.size(), wanted.size()) - suffix;
    const auto prefix =
        static_cast<std::size_t>(std::mismatch(now.begin(), now.begin() + room, wanted.begin()).first - now.begin());
    QTextCursor c(widget()->document());
    c.setPosition(static_cast<int>(prefix));
    c.setPosition(static_cast<int>(now.size() - suffix), QTextCursor::KeepAnchor);
    programmatic_ = true;
    insert_as_one_step(c, to_qstring(wanted.substr(prefix, wanted.size() - suffix - prefix)));
    programmatic_ = false;
    set_sel_start(0);
    notify_change();
}

// Positions outside are positions in the document; the model counts the text not shown yet
// in front of them.
int qt_text_box::view_to_model(int view_pos) const {
    return view_to_model_pos(view_text(), static_cast<int>(hidden_) + view_pos);
}

// The end needs no pass over the text: the record command puts its entry there.
int qt_text_box::model_to_view(int model_pos) const {
    const int shown = static_cast<int>(view_->size() - hidden_);
    if (model_pos >= text_length()) return shown;
    return std::max(model_to_view_pos(view_text(), model_pos) - static_cast<int>(hidden_), 0);
}

std::pair<int, int> qt_text_box::model_selection() const {
    const QTextCursor c = widget()->textCursor();
    return {view_to_model(c.selectionStart()), view_to_model(c.selectionEnd())};
}

int qt_text_box::sel_start() const { return view_to_model(widget()->textCursor().selectionStart()); }

int qt_text_box::sel_length() const {
    const auto [start, end] = model_selection();
    return end - start;
}

void qt_text_box::set_sel_start(int pos) {
    QTextCursor c = widget()->textCursor();
    c.setPosition(model_to_view(pos));
    widget()->setTextCursor(c);
}

void qt_text_box::set_sel_length(int len) {
    QTextCursor c = widget()->textCursor();
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(model_to_view(view_to_model(start) + std::max(len, 0)), QTextCursor::KeepAnchor);
    widget()->setTextCursor(c);
}

// Made from the selected part of the view only: a selection never splits a line break.
std::u16string qt_text_box::sel_text() const {
    const QTextCursor c = widget()->textCursor();
    return to_crlf(std::u16string_view(view_text())
                       .substr(hidden_ + static_cast<std::size_t>(c.selectionStart()),
                               static_cast<std::size_t>(c.selectionEnd() - c.selectionStart())));
}

void qt_text_box::set_sel_text(const std::u16string& t) {
    QTextCursor c = widget()->textCursor();
    if (t.empty() && !c.hasSelection()) return;
    programmatic_ = true;
    insert_as_one_step(c, to_qstring(to_lf(t)));
    widget()->setTextCursor(c);
    programmatic_ = false;
    notify_change();
}

}  // namespace platform::qt
