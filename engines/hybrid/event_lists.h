// Editing of the event lists TOS and D2.
#pragma once

#include "engines/hybrid/records.h"

namespace mixsim {

// Removes the first entry whose time equals Ts, if any.
[[nodiscard]] TosList eliminare_ts(TosList TOS, double Ts);

// Removes every entry with that cause and that kind.
[[nodiscard]] TosList eliminare_even(TosList TOS, double cauza, double eveniment);

// Removes every C1 entry (kind 3) at time Ts.
[[nodiscard]] TosList eliminare_c1(TosList TOS, double Ts);

// Removes every entry at time Ts with that cause and kind.
[[nodiscard]] TosList eliminare_tos(TosList TOS, double Ts, double cauza, double eveniment);

// Removes the first entry that matches time, cause and kind at once.
[[nodiscard]] TosList eliminare_tos6(TosList TOS, double Ts, double cauza, double eveniment);

// Removes the scheduled D2 rows at time `timp` for transition `tranzitie`
// (column `tranzitie_2`), and arms again the candidate rows of that transition
// at the removed rows' places, so the threshold can be reached once more.
[[nodiscard]] D2List eliminare_d22(D2List D2, double timp, double tranzitie);

}  // namespace mixsim
