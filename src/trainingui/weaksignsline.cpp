#include "trainingui/weaksignsline.h"

#include <QStringList>

#include "training/weaksigns.h"
#include "trainingui/alignedrows.h"

namespace kelvatron {

QString weakSignsLine(const WeakSigns& weak, int count) {
    QStringList signs;
    for (char sign : weak.weakest(count))
        signs << signText(sign);
    if (signs.isEmpty()) return QStringLiteral("Слабых знаков пока нет");
    return QStringLiteral("Слабые знаки: ") + signs.join(QStringLiteral(", "));
}

} // namespace kelvatron
