#include "text_box_qt.h"

#include "event_hook_qt.h"
#include "form_view_qt.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace qs::linuxos {

namespace {

// The model counts bytes of UTF-8, the widget UTF-16 units.
int toWidget(const std::string& text, int bytes) {
    bytes = std::clamp(bytes, 0, static_cast<int>(text.size()));
    return static_cast<int>(QString::fromUtf8(text.data(), bytes).size());
}

int toModel(const QString& text, int index) {
    return static_cast<int>(text.left(index).toUtf8().size());
}

class Flag {
public:
    explicit Flag(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~Flag() { flag_ = old_; }

private:
    bool& flag_;
    bool old_;
};

} // namespace

TextBoxView::TextBoxView(FormView& owner, forms::TextBox& box, QWidget* parent)
    : ControlView(owner, box), box_(box), edit_(new QLineEdit(parent)) {
    edit_->installEventFilter(new EventHook(edit_, [this](QObject*, QEvent* event) {
        return event->type() == QEvent::KeyPress && keyPressed(static_cast<QKeyEvent*>(event));
    }));
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString& text) { edited(text); });
    QObject::connect(edit_, &QLineEdit::selectionChanged, edit_, [this] { selectionMoved(); });
    QObject::connect(edit_, &QLineEdit::cursorPositionChanged, edit_, [this] { selectionMoved(); });
    setWidget(edit_);
}

bool TextBoxView::keyPressed(QKeyEvent* event) {
    if (!live() || !box_.acceptsInput())
        return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false; // shortcuts, select all, copy and paste
    std::string typed;
    if (event->key() == Qt::Key_Backspace) {
        typed = std::string(1, forms::kBackspace);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        typed = "\r";
    } else {
        const QString text = event->text();
        if (text.isEmpty())
            return false;
        for (QChar c : text)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                return false;
        typed = text.toStdString(); // one KeyPress per byte, as the model keeps bytes
    }
    {
        const Flag flag(pushing_);
        for (char c : typed) {
            box_.typeKey(c);
            if (!live())
                return true;
        }
    }
    mirror();
    return true;
}

void TextBoxView::edited(const QString& text) {
    if (syncing_ || !live())
        return;
    const int caret = toModel(text, edit_->cursorPosition());
    {
        const Flag flag(pushing_);
        box_.setText(text.toStdString());
        if (!live())
            return;
        box_.select(caret, 0);
    }
    mirror();
}

void TextBoxView::selectionMoved() {
    if (syncing_ || pushing_ || !live())
        return;
    const QString text = edit_->text();
    const Flag flag(pushing_);
    if (edit_->hasSelectedText()) {
        const int start = edit_->selectionStart();
        const int end = start + static_cast<int>(edit_->selectedText().size());
        box_.select(toModel(text, start), toModel(text, end) - toModel(text, start));
    } else {
        box_.select(toModel(text, edit_->cursorPosition()), 0);
    }
}

void TextBoxView::mirror() {
    const Flag flag(syncing_);
    const std::string& model = box_.text();
    const QString text = QString::fromStdString(model);
    if (edit_->text() != text)
        edit_->setText(text);
    const int start = toWidget(model, box_.selStart());
    const int end = toWidget(model, box_.selStart() + box_.selLength());
    if (end > start)
        edit_->setSelection(start, end - start);
    else
        edit_->setCursorPosition(start);
}

void TextBoxView::sync(forms::Property what) {
    ControlView::sync(what);
    if (what == forms::Property::MaxLength)
        edit_->setMaxLength(box_.maxLength() > 0 ? box_.maxLength() : 32767);
    if (pushing_ || (what != forms::Property::Text && what != forms::Property::Selection))
        return;
    mirror();
}

} // namespace qs::linuxos
