#include "widgets/tmemo.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "core/cp1251.h"

namespace kelvatron {

namespace {
// Editor text uses U+2029 between paragraphs in the document and '\n' in toPlainText().
bool isLineBreak(QChar c) {
    return c == QChar('\n') || c == QChar::ParagraphSeparator;
}

QString fromBytes(std::string_view cp1251) {
    return QString::fromUtf8(fromCp1251(cp1251));
}
} // namespace

TMemo::TMemo(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    setAccessibleName(QStringLiteral("Текст"));
    applyLook();
}

// Paper-white page with dark ink; the keyed part of a text shows in the window's green even
// while the focus is elsewhere, and the scroll bar is slim and quiet.
void TMemo::applyLook() {
    setStyleSheet(QStringLiteral(
        "QTextEdit { background: #fbfcf8; color: #0e1c34; border: 1px solid #061018;"
        "  border-radius: 3px; padding: 2px; selection-background-color: #2e9a52;"
        "  selection-color: #ffffff; }"
        "QTextEdit:focus { border: 1px solid #e0b830; }"
        "QScrollBar:vertical { background: #e3e9ec; width: 13px; margin: 0;"
        "  border-left: 1px solid #c3ced4; }"
        "QScrollBar::handle:vertical { min-height: 24px; margin: 2px; border-radius: 4px;"
        "  background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #5c98b8, stop:1 #2c5c84); }"
        "QScrollBar::handle:vertical:hover { background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
        "  stop:0 #74b4d4, stop:1 #3a729c); }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
}

std::string TMemo::Text() const {
    QString text = toPlainText();
    text.replace(QChar('\n'), QStringLiteral("\r\n"));
    return toCp1251(text.toStdString());
}

void TMemo::setText(std::string_view cp1251) {
    QString text = fromBytes(cp1251);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(text);
    noLines_ = text.isEmpty();
    setAlignmentAll(alignment_);
}

int TMemo::length() const {
    return fromEditorPosition(document()->characterCount() - 1);
}

void TMemo::Clear() {
    clear();
    noLines_ = true;
    setAlignmentAll(alignment_);
}

void TMemo::LinesAdd(std::string_view cp1251) {
    QString line = fromBytes(cp1251);
    if (noLines_ && toPlainText().isEmpty()) {
        setPlainText(line);
    } else {
        QTextCursor c(document());
        c.movePosition(QTextCursor::End);
        c.insertBlock();
        c.insertText(line);
    }
    noLines_ = false;
    setAlignmentAll(alignment_);
}

QStringList TMemo::lines() const {
    return toPlainText().split(QChar('\n'));
}

int TMemo::toEditorPosition(int cp1251Position) const {
    const QString text = toPlainText();
    int bytes = 0;
    int i = 0;
    while (i < text.size() && bytes < cp1251Position) {
        if (isLineBreak(text[i]))
            bytes += 2;
        else
            bytes += 1;
        i += text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    }
    return i;
}

int TMemo::fromEditorPosition(int editorPosition) const {
    const QString text = toPlainText();
    int bytes = 0;
    for (int i = 0; i < editorPosition && i < text.size();) {
        bytes += isLineBreak(text[i]) ? 2 : 1;
        i += text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    }
    return bytes;
}

int TMemo::SelStart() const {
    return fromEditorPosition(textCursor().selectionStart());
}

void TMemo::setSelStart(int start) {
    QTextCursor c = textCursor();
    c.setPosition(toEditorPosition(std::max(0, start)));
    setTextCursor(c);
}

void TMemo::setSelLength(int length) {
    QTextCursor c = textCursor();
    int start = toEditorPosition(SelStart());
    int end = toEditorPosition(SelStart() + std::max(0, length));
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(c);
    ensureCursorVisible();
}

void TMemo::setAlignmentAll(Qt::Alignment alignment) {
    alignment_ = alignment;
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    QTextBlockFormat f;
    f.setAlignment(alignment);
    c.mergeBlockFormat(f);
    // New text typed at the cursor takes the same alignment.
    QTextCursor cur = textCursor();
    QTextBlockFormat bf = cur.blockFormat();
    bf.setAlignment(alignment);
    cur.setBlockFormat(bf);
}

bool TMemo::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText();
}

void TMemo::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || !canInsertFromMimeData(source)) return;
    QString text = fromBytes(toCp1251(source->text().toStdString()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    textCursor().insertText(text);
    ensureCursorVisible();
}

void TMemo::setInputEnabled(bool enabled) {
    setReadOnly(!enabled);
    setTextInteractionFlags(enabled ? Qt::TextEditorInteraction
                                    : Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

} // namespace kelvatron
