// The hybrid net as the engine holds it, built from the numbers of "data.txt".
#pragma once

#include "engines/hybrid/array.h"
#include "engines/hybrid/data_file.h"
#include "engines/hybrid/records.h"

#include <optional>
#include <string>
#include <vector>

namespace mixsim {

struct HybridNet {
    std::string names;
    int nr_poz = 0;    // P
    int nr_pozd = 0;   // Pd
    int nr_tran = 0;   // T
    int nr_trand = 0;  // Td

    Vec Pozitii;   // 1..P
    Vec Pozdis;    // discrete places, in file order
    Vec Pozcont;   // the other places, ascending
    Vec Trandis;   // discrete transitions, in file order
    Vec Trancont;  // the other transitions, ascending

    Mat Pre;   // input arcs of transitions, P x T
    Mat Post;  // output arcs of transitions, P x T
    Mat W;     // Post - Pre

    Vec marcaj;       // initial marking as read, by place number
    Vec marcaj_cont;  // continuous places, by position in Pozcont; -1 = 0+
    Vec mc;           // as marcaj_cont with 0+ taken as 0
    Vec md;           // discrete places, by position in Pozdis
    Vec marcaj1;      // full marking by place number, 0+ taken as 0
    Vec marcaj_dis;
    Vec md_u;

    Vec tranzitii;  // transition values as read, by transition number
    Vec U;          // maximal speeds, by position in Trancont; -1 = inf
    Vec td;         // durations, by position in Trandis

    Vec conflicte;  // the conflict block as read
    std::vector<ConflictRecord> conflict;  // always at least one element
};

struct HybridNetResult {
    std::optional<HybridNet> net;
    std::string error;  // set when `net` is empty
};

// Takes the values by position, checks that every announced value is there
// and every place and transition number is in range, and builds the sets,
// markings, transition values and conflict records.
[[nodiscard]] HybridNetResult buildHybridNet(const DataFile& file);

// The conflicts of the net: every place with two or more output transitions,
// ascending, classified by the kinds of the place and of its transitions.
[[nodiscard]] std::vector<ConflictRecord> gasire_conflicte(const Mat& Pre, const Vec& Pozdis,
                                                           const Vec& Trandis);

// Reads the priorities and sharing values of every conflict from `conflicte`.
// Returns an error text when the block ends before a conflict's priorities.
[[nodiscard]] std::optional<std::string> citire_prioritati(std::vector<ConflictRecord>& conflict,
                                                           const Vec& conflicte, const Vec& Trandis);

// True when the net has at least one conflict (`existenta` of the first record).
[[nodiscard]] bool hasConflicts(const std::vector<ConflictRecord>& conflict);

// "discrete"/"continuous" for a place, "discreta"/"continua" for a transition.
[[nodiscard]] const char* tipPozitie(NodeKind kind);
[[nodiscard]] const char* tipTranzitie(NodeKind kind);

}  // namespace mixsim
