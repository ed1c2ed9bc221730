#include "trainingui/alignedrows.h"

#include <array>

#include "core/cp1251.h"
#include "trainingui/trainingstyle.h"
#include "widgets/glyphs.h"
#include "widgets/theme.h"

namespace kelvatron {

namespace {

bool isPause(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Whether the text has a group pause between the characters at a and b (a < b). A full stop
// is keyed as Т Ч К between two group pauses, so it stands apart too.
bool pauseBetween(std::string_view text, int a, int b) {
    if (a < 0 || b <= a) return false;
    if (text[a] == '.' || (b < int(text.size()) && text[b] == '.')) return true;
    for (int i = a + 1; i < b && i < int(text.size()); ++i)
        if (isPause(text[i])) return true;
    return false;
}

const std::array<QString, 256>& charTexts() {
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> out;
        for (int b = 1; b < 256; ++b)
            out[b] = QString::fromStdString(fromCp1251(std::string(1, char(b))));
        out[' '] = QStringLiteral("-"); // the break sign's record is the space's; it is typed as -
        return out;
    }();
    return texts;
}

// A line's two rows, built as runs: neighbouring columns of one kind share one mark, so a copy
// that is wrong throughout is still a short document.
class Row {
public:
    // Captions padded to one width, so both rows' signs start in the same column.
    explicit Row(const RowCaptions& captions)
        : sentCaption_(captions.sent.leftJustified(9)),
          typedCaption_(captions.typed.leftJustified(9)) {}
    void add(const AlignedCell& cell) {
        if (cell.op != runOp_) close();
        runOp_ = cell.op;
        runSent_ += cell.sent ? shownSigns(signText(cell.sent)).toHtmlEscaped()
                              : QString(trainingstyle::kExtraMark);
        runTyped_ += cell.typed ? shownSigns(signText(cell.typed)).toHtmlEscaped()
                                : QString(trainingstyle::kMissedMark);
    }
    void addPause() {
        close();
        sent_ += ' ';
        typed_ += ' ';
    }
    bool empty() const { return sent_.isEmpty() && runSent_.isEmpty(); }
    // Both rows with their captions; the row is empty afterwards.
    QString take() {
        close();
        const QString text =
            QStringLiteral("<span style=\"color:%1\">%2</span>%3\n"
                           "<span style=\"color:%1\">%4</span>"
                           "<span style=\"color:%5\">%6</span>\n\n")
                .arg(trainingstyle::html(theme::kInkDim), sentCaption_, sent_, typedCaption_,
                     trainingstyle::html(trainingstyle::kTypedInk), typed_);
        sent_.clear();
        typed_.clear();
        return text;
    }

private:
    // A mistake is marked by colour and by its character ('_', '·') or an underline.
    void close() {
        if (runSent_.isEmpty()) return;
        if (runOp_ == AlignOp::Match) {
            sent_ += runSent_;
            typed_ += runTyped_;
        } else {
            const QColor& bg = runOp_ == AlignOp::Substitution ? trainingstyle::kWrong
                               : runOp_ == AlignOp::Missed     ? trainingstyle::kMissed
                                                               : trainingstyle::kExtra;
            const QString open =
                QStringLiteral("<span style=\"background-color:%1;color:#ffffff;%2\">")
                    .arg(trainingstyle::html(bg),
                         runOp_ == AlignOp::Substitution ? "text-decoration:underline" : "");
            sent_ += open + runSent_ + QStringLiteral("</span>");
            typed_ += open + runTyped_ + QStringLiteral("</span>");
        }
        runSent_.clear();
        runTyped_.clear();
    }

    QString sentCaption_, typedCaption_;
    QString sent_, typed_;
    AlignOp runOp_ = AlignOp::Match;
    QString runSent_, runTyped_;
};

} // namespace

QString signText(char cp1251) {
    return charTexts()[static_cast<unsigned char>(cp1251)];
}

std::vector<AlignedCell> alignedCells(const ReceiveCheck& check, std::string_view sent,
                                      std::string_view typed) {
    const int n = int(check.steps.size());
    // The sent position of the next column that has one, so a pause can be seen ahead of an
    // extra sign.
    std::vector<int> nextSent(n + 1, int(sent.size()));
    for (int i = n - 1; i >= 0; --i)
        nextSent[i] = check.steps[i].sentPos >= 0 ? check.steps[i].sentPos : nextSent[i + 1];

    std::vector<AlignedCell> cells;
    cells.reserve(n);
    int lastSent = -1, lastTyped = -1;
    bool pauseTaken = false; // an extra sign already opened the group that follows
    for (int i = 0; i < n; ++i) {
        const AlignedSign& step = check.steps[i];
        bool groupStart = false;
        if (step.sentPos >= 0) {
            groupStart = !pauseTaken && pauseBetween(sent, lastSent, step.sentPos);
            pauseTaken = false;
            lastSent = step.sentPos;
        } else if (!pauseTaken && pauseBetween(typed, lastTyped, step.typedPos) &&
                   (nextSent[i] >= int(sent.size()) || pauseBetween(sent, lastSent, nextSent[i]))) {
            groupStart = pauseTaken = lastSent >= 0;
        }
        if (step.typedPos >= 0) lastTyped = step.typedPos;
        cells.push_back({step.op, step.sent, step.typed, groupStart && !cells.empty()});
    }
    return cells;
}

QString alignedRowsHtml(const std::vector<AlignedCell>& cells, int columns,
                        const RowCaptions& captions) {
    columns = std::max(columns, 8);
    QString out;
    out.reserve(int(cells.size()) * 12 + 256);
    out += QStringLiteral("<pre style=\"margin:0\">");
    Row row(captions);
    int used = 0;
    for (size_t i = 0; i < cells.size();) {
        // The group that starts here: it goes on this line when it fits, else on the next.
        size_t end = i + 1;
        while (end < cells.size() && !cells[end].groupStart)
            ++end;
        if (used > 0 && used + 1 + int(end - i) > columns) {
            out += row.take();
            used = 0;
        }
        if (used > 0) {
            row.addPause();
            ++used;
        }
        for (; i < end; ++i, ++used) {
            if (used == columns) { // a group longer than a line is cut
                out += row.take();
                used = 0;
            }
            row.add(cells[i]);
        }
    }
    if (!row.empty()) out += row.take();
    out += QStringLiteral("</pre>");
    return out;
}

QString mistakesSummary(const std::vector<AlignedCell>& cells, int maxItems) {
    QStringList items;
    int more = 0;
    for (const AlignedCell& cell : cells) {
        QString item;
        switch (cell.op) {
        case AlignOp::Match:
            continue;
        case AlignOp::Substitution:
            item = QStringLiteral("ошибка: %1 вместо %2")
                       .arg(signText(cell.typed), signText(cell.sent));
            break;
        case AlignOp::Missed:
            item = QStringLiteral("пропуск: %1").arg(signText(cell.sent));
            break;
        case AlignOp::Extra:
            item = QStringLiteral("лишний: %1").arg(signText(cell.typed));
            break;
        }
        if (items.size() < maxItems)
            items << item;
        else
            ++more;
    }
    if (items.isEmpty()) return QStringLiteral("ошибок нет");
    QString text = items.join(QStringLiteral("; "));
    if (more > 0) text += QStringLiteral("; и ещё %1").arg(more);
    return text;
}

} // namespace kelvatron
