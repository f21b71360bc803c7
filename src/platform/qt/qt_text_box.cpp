#include "platform/qt/qt_text_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "platform/text.h"

namespace platform::qt {

void text_edit_widget::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const QString typed = enter ? QStringLiteral("\n") : e->text();
    const bool inserts =
        enter || (!typed.isEmpty() && typed.at(0).isPrint() && !(e->modifiers() & Qt::ControlModifier));
    if (inserts && !isReadOnly() && accepts && !accepts(typed)) return e->accept();
    QPlainTextEdit::keyPressEvent(e);
}

void text_edit_widget::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText() && accepts && !accepts(source->text())) return;
    QPlainTextEdit::insertFromMimeData(source);
}

void text_edit_widget::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty() && accepts && !accepts(e->commitString())) return e->accept();
    QPlainTextEdit::inputMethodEvent(e);
}

qt_text_box::qt_text_box(const control_design& design, QWidget* parent)
    : widget_control(design, new text_edit_widget(parent)), max_length_(design.max_length) {
    QPlainTextEdit* edit = widget();
    widget()->accepts = [this](const QString& inserted) {
        if (fits(to_lf(from_qstring(inserted)))) return true;
        if (on_too_long) on_too_long();
        return false;
    };
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    edit->setReadOnly(design.read_only);
    // Wrapping at word boundaries searches each line's text for a boundary and, in a
    // long formula without one, takes seconds per keystroke; breaking anywhere is linear.
    edit->setWordWrapMode(QTextOption::WrapAnywhere);
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
        keep_layouts(from, removed, added);
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

}  // namespace

// The view text follows every change of the document as it happens, so reading the text
// costs nothing more than converting it, and a snapshot costs nothing at all.
void qt_text_box::mirror_change(int from, int removed, int added) {
    if (view_.use_count() > 1) view_ = std::make_shared<std::u16string>(*view_);
    std::u16string& view = *view_;
    const QTextDocument* doc = widget()->document();
    const auto length = static_cast<std::size_t>(doc->characterCount() - 1);  // without the last separator
    const auto at = static_cast<std::size_t>(from);
    // A whole new text is reported with the document's last paragraph separator, which is
    // no character of the text.
    const std::size_t gone = std::min(static_cast<std::size_t>(removed), view.size() - std::min(at, view.size()));
    const std::size_t end = std::min(at + static_cast<std::size_t>(added), length);
    model_valid_ = false;
    if (at <= view.size() && view.size() - gone + (end - std::min(at, end)) == length) {
        QTextCursor c(widget()->document());
        c.setPosition(from);
        c.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
        view.replace(at, gone, lf_text(c.selectedText()));
        return;
    }
    // A report that does not add up: take the whole text afresh.
    view = lf_text(doc->toRawText());
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

bool qt_text_box::fits(std::u16string_view inserted_lf) const {
    if (max_length_ <= 0) return true;
    const auto breaks = static_cast<std::size_t>(std::count(inserted_lf.begin(), inserted_lf.end(), u'\n'));
    const std::size_t after =
        model_text().size() - static_cast<std::size_t>(sel_length()) + inserted_lf.size() + breaks;
    return after <= static_cast<std::size_t>(max_length_);
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

// The widget's text is compared and set in its LF form, so the new text is converted once.
void qt_text_box::set_text(const std::u16string& t) {
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
    c.beginEditBlock();
    c.insertText(to_qstring(wanted.substr(prefix, wanted.size() - suffix - prefix)));
    c.endEditBlock();
    programmatic_ = false;
    set_sel_start(0);
    notify_change();
}

int qt_text_box::view_to_model(int view_pos) const { return view_to_model_pos(view_text(), view_pos); }

int qt_text_box::model_to_view(int model_pos) const { return model_to_view_pos(model_text(), model_pos); }

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

std::u16string qt_text_box::sel_text() const {
    const auto [start, end] = model_selection();
    return text().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

void qt_text_box::set_sel_text(const std::u16string& t) {
    QTextCursor c = widget()->textCursor();
    if (t.empty() && !c.hasSelection()) return;
    programmatic_ = true;
    c.insertText(to_qstring(to_lf(t)));
    widget()->setTextCursor(c);
    programmatic_ = false;
    notify_change();
}

}  // namespace platform::qt
