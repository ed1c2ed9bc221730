#pragma once
#include <cstdint>
#include <string>

namespace kelvatron {

// What a learner copies from a contact and is checked on: the calling station's call, the
// report it gives, its operator's name and its town.
struct ContactFields {
    std::string call;
    std::string rst;
    std::string name;
    std::string qth;
};

// One generated contact as it goes on the air, UTF-8, no full stops (the transmission keys a
// full stop as Т Ч К): a CQ, the answer, then the answering station's report with name, town,
// rig and weather, and the 73.
struct Contact {
    std::string text;
    ContactFields fields; // what the answering station sent
};

enum class ContactLanguage : uint8_t { International, Russian };

// The international form (CQ, DE, RST 599 or 5NN, NAME, QTH, RIG, WX, 73) or the phrases
// Russian operators use on the air (ВСЕМ, ИМЯ, ГОРОД, СПАСИБО ЗА СВЯЗЬ), with calls from the
// callsign generator. The same seed gives the same contact.
Contact generateContact(uint32_t seed, ContactLanguage language = ContactLanguage::International);

} // namespace kelvatron
