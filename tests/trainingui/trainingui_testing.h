#pragma once
#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <QVBoxLayout>
#include <QWidget>
#include <ostream>

#include "widgets/tglgroupbox.h"

namespace kelvatron::test {

// The view on a captioned panel as the training panel will hold it. When KELVATRON_SHOTS names
// a folder, the picture is saved there too, for a look at the finished view.
inline QImage panelShot(QWidget* view, const QString& caption, QSize size, const char* file) {
    TglGroupBox panel;
    panel.setCaption(caption);
    auto* layout = new QVBoxLayout(&panel);
    layout->setContentsMargins(4, 22, 4, 4);
    layout->addWidget(view);
    panel.resize(size);
    panel.show();
    QCoreApplication::processEvents(); // the layout that follows the first resize
    QImage image = panel.grab().toImage();
    if (const QByteArray dir = qgetenv("KELVATRON_SHOTS"); !dir.isEmpty())
        image.save(QString::fromLocal8Bit(dir) + "/" + file);
    view->setParent(nullptr);
    return image;
}

} // namespace kelvatron::test

// Readable failures for QString and QStringList values.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{' << l.join("|").toStdString() << '}';
}
