#pragma once
#include <QString>
#include <string_view>
#include <vector>

#include "training/receivecheck.h"

namespace kelvatron {

// One column of the aligned rows: what was sent above what was typed. Characters are
// Windows-1251 bytes, 0 where the side has nothing (a missed or an extra sign).
struct AlignedCell {
    AlignOp op;
    char sent;
    char typed;
    bool groupStart; // the sent text has a group pause before this column
};

// The check's steps as columns, with the sent text's group pauses. A sign typed where a group
// pause was sent (the learner heard one more sign at a group's end or start) opens the next
// group when the learner left a space before it.
std::vector<AlignedCell> alignedCells(const ReceiveCheck& check, std::string_view sentCp1251,
                                      std::string_view typedCp1251);

// The two rows' captions, each at most eight characters: what the text was and what came of it.
struct RowCaptions {
    QString sent = QStringLiteral("Передано");
    QString typed = QStringLiteral("Принято");
};

// The columns as rich text: pairs of monospace rows ("Передано" / "Принято" unless told),
// broken between groups into lines of at most `columns` characters (a longer group is cut), each
// sign in the form that tells it from a look-alike (shownSigns). One document for the whole
// text, so 20,000 signs take one layout, not 20,000 widgets.
QString alignedRowsHtml(const std::vector<AlignedCell>& cells, int columns,
                        const RowCaptions& captions = {});

// The mistakes in words, in text order, for a screen reader and a plain copy:
// "ошибка: Б вместо В; пропуск: К; лишний: Т". At most maxItems are named, then "и ещё N".
QString mistakesSummary(const std::vector<AlignedCell>& cells, int maxItems = 40);

// A Windows-1251 sign or typed character as text; the break sign (the space's record) reads
// as it is typed, "-".
QString signText(char cp1251);

} // namespace kelvatron
