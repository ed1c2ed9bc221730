#pragma once
#include <QColor>
#include <QFont>
#include <QString>

class QLabel;

namespace kelvatron::trainingstyle {

// The marks of a checked copy. Each mark also shows as a character or an underline, so a
// learner who cannot tell the colours apart still sees it.
inline const QColor kWrong{214, 48, 48};   // a sign taken for another: red, underlined
inline const QColor kMissed{236, 178, 16}; // a sign not typed: amber, '_' in the typed row
inline const QColor kExtra{64, 128, 255};  // a sign typed but not sent: blue, '·' in the sent row
inline const QColor kTypedInk{150, 240, 150};

inline constexpr char16_t kMissedMark = u'_';
inline constexpr char16_t kExtraMark = u'\u00B7';

// Monospace in the program's weight, so the sent and typed rows stay in columns.
QFont monoFont(int pixels);

// A label in the panels' white bold type; its accessible name follows its text.
QLabel* panelLabel(const QString& text, int pixels, QWidget* parent = nullptr);
void setLabelText(QLabel* label, const QString& text);
// A label that names signs: shown in the forms that keep look-alikes apart (shownSigns), named
// for a screen reader as written.
void setSignsLabelText(QLabel* label, const QString& text);

// The layout of a part of a view (a row of controls, a table with its caption): no margins of
// its own, the view's margins frame it.
template <class Layout> Layout* partLayout(QWidget* part, int spacing) {
    auto* layout = new Layout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

// "#rrggbb" for rich text.
inline QString html(const QColor& c) {
    return c.name(QColor::HexRgb);
}

// The look of tables and combo boxes on the dark panels (a style sheet).
QString tableStyleSheet();
QString comboStyleSheet();

} // namespace kelvatron::trainingstyle
