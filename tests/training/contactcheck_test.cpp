// A copied contact: its fields as a learner may write them, and the whole text's figure.
#include <gtest/gtest.h>

#include <set>

#include "exercises/qcodes.h"
#include "training/contactcheck.h"

using namespace kelvatron;

// Every generated contact carries its fields in its text, in both forms, so the fields can be
// copied from what is keyed.
TEST(ContactCheck, AGeneratedContactSendsTheFieldsItIsCheckedOn) {
    for (ContactLanguage language : {ContactLanguage::International, ContactLanguage::Russian})
        for (uint32_t seed = 1; seed <= 30; ++seed) {
            const Contact c = generateContact(seed, language);
            for (const std::string& field :
                 {c.fields.call, c.fields.rst, c.fields.name, c.fields.qth})
                EXPECT_NE(c.text.find(field), std::string::npos) << field << " in " << c.text;
            EXPECT_TRUE(checkContact(c, c.fields, c.text).text.errors() == 0) << c.text;
        }
}

TEST(ContactCheck, FieldsCountAsTheSignsTheyKey) {
    Contact contact;
    contact.text = "UA3ABC DE DL1XY R TNX UR RST 5NN 5NN NAME HANS HANS QTH BERLIN BERLIN K";
    contact.fields = {"DL1XY", "5NN", "HANS", "BERLIN"};
    struct Row {
        const char* name;
        ContactFields typed;
        int right; // fields right: call, RST, name, QTH as bits 8 4 2 1
    };
    const Row rows[] = {
        {"as sent", {"DL1XY", "5NN", "HANS", "BERLIN"}, 0b1111},
        {"small letters, digits for cut figures", {"dl1xy", "599", "hans", "berlin"}, 0b1111},
        {"Cyrillic partners", {"ДЛ1ЬЫ", "5НН", "ХАНС", "БЕРЛИН"}, 0b1111},
        {"one sign wrong in each", {"DL1XV", "579", "HANZ", "BERLN"}, 0b0000},
        {"left empty", {"", "", "", ""}, 0b0000},
        {"spaces inside", {"DL 1XY", "5 NN", "HANS", "BER LIN"}, 0b1111},
    };
    for (const Row& row : rows) {
        const ContactCheck check = checkContact(contact, row.typed, "");
        int right = 0;
        for (const FieldCheck& f : check.fields)
            right = right * 2 + f.right;
        EXPECT_EQ(right, row.right) << row.name;
        EXPECT_EQ(check.rightFields(), __builtin_popcount(row.right)) << row.name;
    }
    // The whole text: a word left out is its signs missed.
    const ContactCheck text =
        checkContact(contact, contact.fields,
                     "UA3ABC DE DL1XY R TNX UR RST 5NN 5NN NAME HANS HANS QTH BERLIN K");
    EXPECT_EQ(text.text.errors(), 6);
}

// A drill's run takes every code once, in an order of its seed.
TEST(AirCodes, ARunTakesEveryCodeOnce) {
    const std::vector<AirCode> a = shuffledAirCodes(1), b = shuffledAirCodes(2);
    std::set<std::string_view> codes;
    for (const AirCode& c : a)
        codes.insert(c.code);
    EXPECT_EQ(codes.size(), kAirCodes.size());
    EXPECT_NE(a.front().code, b.front().code);
}
