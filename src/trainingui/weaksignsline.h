#pragma once
#include <QString>

namespace kelvatron {

class WeakSigns;

// The line the training panel shows under its choices: "Слабые знаки: Б, Щ, Ю, Ы, Ь", or
// "Слабых знаков пока нет" before any sign was received wrong.
QString weakSignsLine(const WeakSigns& weak, int count = 5);

} // namespace kelvatron
