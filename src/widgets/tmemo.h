#pragma once
#include <QTextEdit>
#include <string>
#include <string_view>

namespace kelvatron {

// The text window. The program counts text in Windows-1251 characters with CR LF line breaks
// (two characters), so the window offers its text, selection and lines in those terms and maps
// them to the editor's own positions.
class TMemo : public QTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    // The whole text as Windows-1251 bytes, lines joined by CR LF. Characters that the code page
    // cannot hold read as '?'.
    std::string Text() const;
    void setText(std::string_view cp1251);
    // The text as the editor holds it, for checks that need the real characters.
    QString unicodeText() const { return toPlainText(); }
    int length() const;

    void Clear();
    // Appends one line, as a list of lines grows.
    void LinesAdd(std::string_view cp1251);
    QStringList lines() const;

    int SelStart() const;
    void setSelStart(int start);
    // Selects length characters from SelStart and scrolls the end of the selection into view.
    void setSelLength(int length);

    Qt::Alignment Alignment() const { return alignment_; }
    void setAlignmentAll(Qt::Alignment alignment);

    // "Input enabled" is whether the user may edit; a window without input stays readable.
    bool InputEnabled() const { return !isReadOnly(); }
    void setInputEnabled(bool enabled);

    // Positions: Windows-1251 characters (CR LF = 2) to the editor's and back.
    int toEditorPosition(int cp1251Position) const;
    int fromEditorPosition(int editorPosition) const;

protected:
    // Pasting and dropping take plain text only, as Windows-1251 text: a character the code page
    // cannot hold arrives as '?'. Data without text (an empty clipboard or selection) does
    // nothing; the toolkit's own paste would crash on data without any format.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void applyLook();

    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool noLines_ = true; // an empty editor still shows one empty line; a cleared list has none
};

} // namespace kelvatron
