#include "core/buffertextwindow.h"

#include "core/cp1251.h"

namespace kelvatron {

std::string BufferTextWindow::unicodeText() const {
    std::string utf8 = fromCp1251(bytes_);
    std::string lines;
    lines.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i)
        if (!(utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')) lines += utf8[i];
    return lines;
}

void BufferTextWindow::setText(std::string_view cp1251) {
    bytes_ = cp1251;
    noLines_ = bytes_.empty();
}

void BufferTextWindow::clear() {
    bytes_.clear();
    noLines_ = true;
}

void BufferTextWindow::addLine(std::string_view cp1251) {
    if (!noLines_) bytes_ += "\r\n";
    bytes_ += cp1251;
    noLines_ = false;
}

void BufferTextWindow::append(std::string_view cp1251) {
    bytes_ += cp1251;
    noLines_ = false;
}

} // namespace kelvatron
