#include "keying/signplayer.h"

namespace kelvatron {

SignPlayer::SignPlayer(FormControls& ui, Services& services, TToneGen& toneGen, TimingValues& timing)
    : ui_(ui), services_(services), toneGen_(toneGen), timing_(timing) {}

void SignPlayer::playzwuk(int) {}
void SignPlayer::playsymvol(std::string_view) {}
void SignPlayer::playsymvol_1(std::string_view) {}

} // namespace kelvatron
