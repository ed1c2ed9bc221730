#include "mainwindow/memotextwindow.h"

#include <QTextDocument>

#include "core/cp1251.h"
#include "form/formcontrols.h"
#include "widgets/tmemo.h"

namespace kelvatron {

namespace {

// The editor's raw text keeps a no-break space (byte A0 of a loaded file) as it is, where its
// plain text would turn it into an ordinary space; lines are joined by '\n'.
QString rawText(const TMemo& memo) {
    QString text = memo.document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QChar('\n');
    return text;
}

QString fromBytes(std::string_view cp1251) {
    return QString::fromStdString(fromCp1251(cp1251));
}

} // namespace

std::string MemoTextWindow::text() const {
    QString text = rawText(*ui_.Memo1);
    text.replace(QChar('\n'), QStringLiteral("\r\n"));
    return toCp1251(text.toStdString());
}

std::string MemoTextWindow::unicodeText() const {
    return rawText(*ui_.Memo1).toStdString();
}

void MemoTextWindow::setText(std::string_view cp1251) {
    ui_.Memo1->setText(cp1251);
}

void MemoTextWindow::clear() {
    ui_.Memo1->Clear();
}

void MemoTextWindow::addLine(std::string_view cp1251) {
    ui_.Memo1->LinesAdd(cp1251);
}

// Outside a batch the window's own cursor moves to the end, which keeps the end in view. In a
// batch the text is placed by position: moving a cursor to the end would look for the text
// direction of the whole growing line, which for digits means scanning all of it every time.
void MemoTextWindow::append(std::string_view cp1251) {
    TMemo& memo = *ui_.Memo1;
    if (batchEnd_) {
        batchEnd_->setPosition(memo.document()->characterCount() - 1);
        batchEnd_->insertText(fromBytes(cp1251));
        return;
    }
    QTextCursor cursor = memo.textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(fromBytes(cp1251));
    memo.setTextCursor(cursor);
}

// The editor lays the batch out once, at its end, and undo does not record it.
void MemoTextWindow::beginBatch() {
    QTextDocument& document = *ui_.Memo1->document();
    undoWasEnabled_ = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    batchEnd_.emplace(&document);
    batchEnd_->beginEditBlock();
}

void MemoTextWindow::endBatch() {
    if (!batchEnd_) return;
    batchEnd_->endEditBlock();
    batchEnd_.reset();
    ui_.Memo1->document()->setUndoRedoEnabled(undoWasEnabled_);
}

void MemoTextWindow::select(int start, int length) {
    ui_.Memo1->setSelStart(start);
    ui_.Memo1->setSelLength(length);
}

void MemoTextWindow::setAlignment(TextAlignment alignment) {
    ui_.Memo1->setAlignmentAll(alignment == TextAlignment::Centre ? Qt::AlignHCenter
                                                                  : Qt::AlignLeft);
}

void MemoTextWindow::setInputEnabled(bool enabled) {
    ui_.Memo1->setInputEnabled(enabled);
}

void MemoTextWindow::focus() {
    ui_.Memo1->setFocus();
}

// A batch is laid out only when its edit block ends: painting ends it and goes on in a new one,
// so what has been written so far shows.
void MemoTextWindow::paint() {
    if (batchEnd_) {
        batchEnd_->endEditBlock();
        batchEnd_->beginEditBlock();
    }
    ui_.Memo1->repaint();
}

void MemoTextWindow::paintAll() {
    ui_.Memo1->window()->repaint();
}

} // namespace kelvatron
