#include "training/contactcheck.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/cyrillic.h"
#include "keying/signtable.h"

namespace kelvatron {

namespace {

// The signs a copy keys, as Windows-1251 capitals of the sign table.
std::string keyedSigns(std::string_view utf8) {
    std::string out;
    for (char c : toCp1251(utf8)) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
        if (u >= 0xE0) c = char(u - 0x20); // Windows-1251 small Cyrillic letters
        out += latinPartner(c).value_or(c);
    }
    return out;
}

} // namespace

int ContactCheck::rightFields() const {
    return int(
        std::count_if(fields.begin(), fields.end(), [](const FieldCheck& f) { return f.right; }));
}

bool sameSigns(std::string_view a, std::string_view b) {
    return keyedSigns(a) == keyedSigns(b);
}

std::string reportDigits(std::string_view rst) {
    std::string out = keyedSigns(rst);
    for (char& c : out)
        c = c == win1251("Н") ? '9' : c == win1251("Т") ? '0' : c == win1251("А") ? '1' : c;
    return out;
}

ContactCheck checkContact(const Contact& contact, const ContactFields& typed,
                          std::string_view typedTextUtf8) {
    const ContactFields& sent = contact.fields;
    ContactCheck check;
    check.fields = {{
        {"Позывной", sent.call, typed.call, sameSigns(sent.call, typed.call)},
        {"RST", sent.rst, typed.rst,
         !typed.rst.empty() && reportDigits(sent.rst) == reportDigits(typed.rst)},
        {"Имя", sent.name, typed.name, sameSigns(sent.name, typed.name)},
        {"QTH", sent.qth, typed.qth, sameSigns(sent.qth, typed.qth)},
    }};
    check.text = checkReceived(toCp1251(contact.text), toCp1251(typedTextUtf8));
    return check;
}

} // namespace kelvatron
