#include "trainingui/trainingstyle.h"

#include <QLabel>

#include "widgets/glyphs.h"
#include "widgets/theme.h"

namespace kelvatron::trainingstyle {

QFont monoFont(int pixels) {
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                   QStringLiteral("Courier New")});
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPixelSize(pixels);
    f.setBold(true);
    return f;
}

QLabel* panelLabel(const QString& text, int pixels, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFont(theme::font(pixels, true));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, theme::kInk);
    label->setPalette(pal);
    setLabelText(label, text);
    return label;
}

void setLabelText(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleName(text);
}

void setSignsLabelText(QLabel* label, const QString& text) {
    label->setText(shownSigns(text));
    label->setAccessibleName(text);
}

QString tableStyleSheet() {
    return QStringLiteral(
               "QTableWidget { background: rgba(4,14,22,150); color: %1; gridline-color: "
               "rgba(150,196,220,60); border: 1px solid rgba(0,0,0,150); "
               "selection-background-color: rgba(255,222,89,90); }"
               "QHeaderView::section { background: qlineargradient(x1:0,y1:0,x2:1,y2:0, "
               "stop:0 %2, stop:1 %3); color: %1; border: none; padding: 2px 6px; }"
               "QTableCornerButton::section { background: %2; border: none; }")
        .arg(html(theme::kInk), html(theme::kGreen.lighter(115)), html(theme::kNavy.lighter(150)));
}

QString comboStyleSheet() {
    return QStringLiteral(
               "QComboBox { color: %1; border: 1px solid %2; border-radius: 4px; padding: 2px 8px;"
               " background: rgba(4,14,22,150); }"
               "QComboBox:focus { border-color: %3; }"
               "QComboBox:disabled { color: %4; }"
               "QComboBox QAbstractItemView { color: %1; background: %5;"
               " selection-background-color: rgba(255,222,89,90); }")
        .arg(html(theme::kInk), html(theme::kPanelEdge), html(theme::kHighlight),
             html(theme::kInkDisabled), html(theme::kPanelBottom));
}

} // namespace kelvatron::trainingstyle
