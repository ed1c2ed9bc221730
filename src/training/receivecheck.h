#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "training/signalignment.h"

namespace kelvatron {

// One position of the aligned texts. Characters are Windows-1251 bytes: for a sign, the symbol
// of its kSignTable record (the capital, whatever case or Latin partner was typed); for typed
// junk, the byte as typed; 0 where the side has nothing. Positions are byte offsets into the
// texts given to checkReceived (a full stop keyed as Т Ч К gives its three signs the full
// stop's offset), -1 where the side has nothing, so a view can mark the texts as written.
struct AlignedSign {
    AlignOp op;
    char sent;
    char typed;
    int sentPos;
    int typedPos;
};

// How often one sent sign was taken for one other thing: typed == 0 means it was missed.
struct Confusion {
    char sent;
    char typed;
    int count;
};

// Per sent sign: how often it was sent and how often it was received wrong (substituted or
// missed).
struct SignTally {
    char sign;
    int sent;
    int wrong;
};

struct ReceiveCheck {
    std::vector<AlignedSign> steps;
    int signsSent = 0;
    int matched = 0;
    int substituted = 0;
    int missed = 0;
    int extra = 0;
    std::vector<Confusion> confusions; // most frequent first
    std::vector<SignTally> perSign;    // every sign sent, in sign table order

    int errors() const { return substituted + missed + extra; }
    // errors / signs sent; with nothing sent, 0 for an empty answer and 1 for any typed sign.
    double errorRate() const;
};

// Checks what the learner typed against what was sent, both as the text window gives them
// (Windows-1251). The texts are compared as sequences of signs:
// - a character counts as the sign it is keyed as: either case, a Latin letter as its Cyrillic
//   partner, the hyphen as the break sign, a full stop as Т Ч К (the transmission keys it so);
// - spaces, tabs and line breaks only separate groups and are not scored;
// - a sent character that is no sign (Ё, Ъ, quotes ...) is never keyed, so it is not scored;
// - a typed character that is no sign is junk the learner put down for something heard: it
//   counts as a sign that matches nothing (a substitution where a sign was sent, else extra).
// Groups typed exactly as a group that occurs once in the sent text anchor the alignment (as a
// reader lines up the copy), and the signs between anchors are aligned by edit distance.
ReceiveCheck checkReceived(std::string_view sentCp1251, std::string_view typedCp1251);

// The figure shown after a check, UTF-8: "Знаков: 10, ошибок: 2 (20.0 %)".
std::string figureText(const ReceiveCheck& check);

} // namespace kelvatron
