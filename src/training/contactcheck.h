#pragma once
#include <array>
#include <string>
#include <string_view>

#include "exercises/contactgenerator.h"
#include "training/receivecheck.h"

namespace kelvatron {

// One field of a copied contact: what the answering station sent and what the learner wrote.
struct FieldCheck {
    std::string caption; // "Позывной", "RST", "Имя", "QTH"
    std::string sent;    // UTF-8
    std::string typed;   // UTF-8, as typed
    bool right = false;
};

// A copied contact: its four fields, and the whole text checked sign by sign.
struct ContactCheck {
    std::array<FieldCheck, 4> fields;
    ReceiveCheck text;
    int rightFields() const;
};

// Two copies of one field are the same when they key the same signs: either case, a Latin letter
// or its Cyrillic partner, spaces left out. A report's cut figures count as the digits they stand
// for (5NN is 599, T is 0).
bool sameSigns(std::string_view a, std::string_view b);
// A report's signs (Windows-1251) with its cut figures as digits.
std::string reportDigits(std::string_view rstUtf8);

ContactCheck checkContact(const Contact& contact, const ContactFields& typed,
                          std::string_view typedTextUtf8);

} // namespace kelvatron
