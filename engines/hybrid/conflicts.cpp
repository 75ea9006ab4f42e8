// Conflict records: finding, classifying, and reading priorities and sharing values.
#include "engines/hybrid/hybrid_net.h"
#include "engines/hybrid/sets.h"

namespace mixsim {

namespace {

void classify(ConflictRecord& record)
{
    const std::size_t nd = record.trandis.size();
    const std::size_t nc = record.trancont.size();
    if (nc == 0) {
        record.tip = 1;
    } else if (nd == 0) {
        record.tip = record.tippoz == NodeKind::kDiscrete ? 4 : 2;
    } else {
        record.tip = 3;
        if (record.tippoz == NodeKind::kDiscrete) {
            record.tip_caz3 = nc >= 2 ? 4 : 5;
        }
    }
}

// The priorities of the members of `subset`, looked up by position in `tranzitii`.
Vec prioritiesOf(const ConflictRecord& record, const Vec& subset)
{
    Vec result;
    for (double t : subset) {
        result.push_back(record.prioritate(apartenenta1(t, record.tranzitii).loc));
    }
    return result;
}

}  // namespace

bool hasConflicts(const std::vector<ConflictRecord>& conflict)
{
    return !conflict.empty() && conflict.front().existenta > 0;
}

const char* tipPozitie(NodeKind kind)
{
    return kind == NodeKind::kDiscrete ? "discrete" : "continuous";
}

const char* tipTranzitie(NodeKind kind)
{
    return kind == NodeKind::kDiscrete ? "discreta" : "continua";
}

std::vector<ConflictRecord> gasire_conflicte(const Mat& Pre, const Vec& Pozdis, const Vec& Trandis)
{
    std::vector<ConflictRecord> conflict;
    for (std::size_t p = 1; p <= Pre.rows(); ++p) {
        Vec iesiri;
        for (std::size_t t = 1; t <= Pre.cols(); ++t) {
            if (Pre(p, t) != 0.0) {
                iesiri.push_back(static_cast<double>(t));
            }
        }
        if (iesiri.size() < 2) {
            continue;
        }
        ConflictRecord record;
        record.pozitie = static_cast<int>(p);
        record.tranzitii = iesiri;
        record.tippoz = apartenenta(static_cast<double>(p), Pozdis) == kFound ? NodeKind::kDiscrete
                                                                             : NodeKind::kContinuous;
        for (double t : iesiri) {
            if (apartenenta(t, Trandis) == kFound) {
                record.tiptran.push_back(NodeKind::kDiscrete);
                record.trandis.push_back(t);
            } else {
                record.tiptran.push_back(NodeKind::kContinuous);
                record.trancont.push_back(t);
            }
        }
        classify(record);
        conflict.push_back(std::move(record));
    }
    if (conflict.empty()) {
        conflict.emplace_back();
    } else {
        conflict.front().existenta = 1;
    }
    return conflict;
}

std::optional<std::string> citire_prioritati(std::vector<ConflictRecord>& conflict,
                                             const Vec& conflicte, const Vec& Trandis)
{
    if (!hasConflicts(conflict)) {
        return std::nullopt;
    }
    std::size_t x = 0;
    bool sharingEnded = false;
    for (ConflictRecord& record : conflict) {
        const std::size_t n = record.tranzitii.size();
        if (x + n > conflicte.size()) {
            return "the conflict block ends before the priorities of the conflict at place P" +
                   std::to_string(record.pozitie);
        }
        record.prioritate = conflicte.range(x + 1, x + n);
        x += n;

        // Each class of equal priorities is read once, whatever the kinds of its
        // members, one value per member; a class of one member reads nothing.
        Vec grupate;
        for (std::size_t j = 1; j <= n; ++j) {
            if (apartenenta(static_cast<double>(j), grupate) == kFound) {
                continue;
            }
            const Vec s = egalitate(record.prioritate(j), record.prioritate);
            grupate.append(s);
            if (s.size() < 2 || sharingEnded) {
                continue;
            }
            // A short block ends the reading of sharing values silently.
            if (x + s.size() > conflicte.size()) {
                sharingEnded = true;
                continue;
            }
            for (std::size_t i = 1; i <= s.size(); ++i) {
                const double t = record.tranzitii(static_cast<std::size_t>(s(i)));
                if (apartenenta(t, Trandis) == kFound) {
                    record.sharing_dis.push_back(conflicte(x + i));
                    record.tr_sharing_dis.push_back(t);
                } else {
                    record.sharing.push_back(conflicte(x + i));
                    record.tr_sharing.push_back(t);
                }
            }
            x += s.size();
        }
        record.prioritate1 = prioritiesOf(record, record.trancont);
        record.prioritate2 = prioritiesOf(record, record.trandis);
    }
    return std::nullopt;
}

}  // namespace mixsim
