#include "platform/qt/qt_text_box.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_widget_style.h"
#include "platform/text.h"

namespace platform::qt {

namespace {

std::u16string from_q(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

QString to_q(std::u16string_view s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

}  // namespace

qt_text_box::qt_text_box(const control_design& design, QWidget* parent)
    : name_(design.name), edit_(new QPlainTextEdit(parent)) {
    edit_->setObjectName(QString::fromStdString(design.name));
    edit_->setAccessibleName(to_q(design.accessible_name));
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setTabChangesFocus(true);
    // Wrapping at word boundaries searches each line's text for a boundary and, in a
    // long formula without one, takes seconds per keystroke; breaking anywhere is linear.
    edit_->setWordWrapMode(QTextOption::WrapAnywhere);
    // Left to right as a formula reads. Left to Qt, each caret placement would scan the
    // whole paragraph for its first strong character to pick the direction.
    QTextOption option = edit_->document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    edit_->document()->setDefaultTextOption(option);
    apply_style(edit_, design);
    edit_->setGeometry(to_pixels(design.rect));
    edit_->setVisible(design.visible);
    connect(edit_, &QPlainTextEdit::textChanged, this, &qt_text_box::on_widget_text_changed);
    // Emitted before the document relayouts the edited paragraphs, so even the first
    // layout after an edit is kept.
    connect(edit_->document(), &QTextDocument::contentsChange, this, &qt_text_box::keep_layouts);
}

// A paragraph's layout normally drops its shaped glyphs as soon as its lines are made,
// and every caret move, caret blink and repaint afterwards shapes the whole paragraph
// again: for a formula of a megabyte on one line that is several full passes per
// keystroke. Kept, the glyphs are reshaped only when the paragraph's text changes.
void qt_text_box::keep_layouts(int from, int, int added) {
    const QTextDocument* doc = edit_->document();
    const QTextBlock last = doc->findBlock(from + added);
    for (QTextBlock b = doc->findBlock(from); b.isValid(); b = b.next()) {
        b.layout()->setCacheEnabled(true);
        if (b == last) break;
    }
}

twips_rect qt_text_box::rect() const { return to_twips(edit_->geometry()); }
void qt_text_box::move(const twips_rect& r) { edit_->setGeometry(to_pixels(r)); }
bool qt_text_box::visible() const { return edit_->isVisible(); }
void qt_text_box::set_focus() { edit_->setFocus(Qt::OtherFocusReason); }
bool qt_text_box::has_focus() const { return edit_->hasFocus(); }

void qt_text_box::on_widget_text_changed() {
    cache_valid_ = false;
    if (!programmatic_) notify_change();
}

void qt_text_box::notify_change() {
    if (on_change) on_change();
}

// The document's raw text keeps every character as typed (a plain-text export would turn
// no-break spaces into blanks); block separators become LF.
const std::u16string& qt_text_box::view_text() const {
    if (!cache_valid_) {
        view_ = from_q(edit_->document()->toRawText());
        for (char16_t& c : view_) {
            if (c == u'\u2029') c = u'\n';
        }
        model_ = to_crlf(view_);
        cache_valid_ = true;
    }
    return view_;
}

std::u16string qt_text_box::text() const {
    view_text();
    return model_;
}

void qt_text_box::set_text(const std::u16string& t) {
    const std::u16string wanted = normalize_line_breaks(t);
    if (wanted == text()) {
        set_sel_start(0);
        return;
    }
    programmatic_ = true;
    edit_->setPlainText(to_q(to_lf(wanted)));
    programmatic_ = false;
    cache_valid_ = false;
    set_sel_start(0);
    notify_change();
}

int qt_text_box::view_to_model(int view_pos) const { return view_to_model_pos(view_text(), view_pos); }

int qt_text_box::model_to_view(int model_pos) const {
    view_text();
    return model_to_view_pos(model_, model_pos);
}

int qt_text_box::sel_start() const { return view_to_model(edit_->textCursor().selectionStart()); }

int qt_text_box::sel_length() const {
    const QTextCursor c = edit_->textCursor();
    return view_to_model(c.selectionEnd()) - view_to_model(c.selectionStart());
}

void qt_text_box::set_sel_start(int pos) {
    QTextCursor c = edit_->textCursor();
    c.setPosition(model_to_view(pos));
    edit_->setTextCursor(c);
}

void qt_text_box::set_sel_length(int len) {
    const int start = sel_start();
    QTextCursor c = edit_->textCursor();
    c.setPosition(model_to_view(start));
    c.setPosition(model_to_view(start + std::max(len, 0)), QTextCursor::KeepAnchor);
    edit_->setTextCursor(c);
}

std::u16string qt_text_box::sel_text() const {
    const int start = sel_start();
    return text().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(sel_length()));
}

void qt_text_box::set_sel_text(const std::u16string& t) {
    QTextCursor c = edit_->textCursor();
    if (t.empty() && !c.hasSelection()) return;
    programmatic_ = true;
    c.insertText(to_q(to_lf(t)));
    edit_->setTextCursor(c);
    programmatic_ = false;
    cache_valid_ = false;
    notify_change();
}

}  // namespace platform::qt
