// Building the engine's net from the numbers of "data.txt", with range checks.
#include "engines/hybrid/hybrid_net.h"

#include "engines/hybrid/constants.h"
#include "engines/hybrid/sets.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace mixsim {

namespace {

bool isWhole(double value)
{
    return value == std::floor(value);
}

std::string number(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.12g", value);
    return buffer;
}

// The code of "0+" for a marking and of "inf" for a duration or speed.
constexpr double kSpecialValue = -1.0;

// Why an initial marking cannot be simulated, or nothing when it can.
std::optional<std::string> badMarking(double value, bool discrete)
{
    if (value < 0 && value != kSpecialValue) {
        return "is " + number(value) + "; it must be 0 or more, or -1 for 0+";
    }
    if (discrete && !isWhole(value)) {
        return "is " + number(value) + "; a discrete place holds a whole number of tokens";
    }
    return std::nullopt;
}

// Takes the values of `date` by position, the way the header lays them out.
class Reader {
public:
    explicit Reader(const DataFile& file) : m_file(file) {}

    [[nodiscard]] std::size_t ord() const { return m_ord; }
    double next() { return m_file.date(++m_ord); }
    [[nodiscard]] std::string where() const
    {
        return "(line " + std::to_string(m_file.linii.at(m_ord - 1)) + ")";
    }

    // A count of the header: a whole number from 0 to kMaxNodes.
    std::optional<std::string> count(const char* what, int& result)
    {
        const double value = next();
        if (!isWhole(value) || value < 0 || value > static_cast<double>(kMaxNodes)) {
            return std::string("the number of ") + what + " is " + number(value) + " " + where() +
                   "; it must be a whole number from 0 to " + std::to_string(kMaxNodes);
        }
        result = static_cast<int>(value);
        return std::nullopt;
    }

    // `n` distinct node numbers in 1..limit, kept in file order.
    std::optional<std::string> numbers(const char* what, int n, int limit, Vec& result)
    {
        for (int i = 0; i < n; ++i) {
            const double value = next();
            if (!isWhole(value) || value < 1 || value > limit) {
                return std::string(what) + " number " + number(value) + " " + where() +
                       " is outside 1.." + std::to_string(limit);
            }
            if (apartenenta(value, result) == kFound) {
                return std::string(what) + " " + number(value) + " is listed twice " + where();
            }
            result.push_back(value);
        }
        return std::nullopt;
    }

    // A P x T matrix of arc weights, row by row; weights are never negative.
    std::optional<std::string> matrix(int rows, int cols, Mat& result)
    {
        result = Mat(static_cast<std::size_t>(rows), static_cast<std::size_t>(cols));
        for (std::size_t i = 1; i <= result.rows(); ++i) {
            for (std::size_t j = 1; j <= result.cols(); ++j) {
                result(i, j) = next();
                if (result(i, j) < 0) {
                    return "the arc weight " + number(result(i, j)) + " " + where() +
                           " between place P" + std::to_string(i) + " and transition T" +
                           std::to_string(j) + " is negative";
                }
            }
        }
        return std::nullopt;
    }

private:
    const DataFile& m_file;
    std::size_t m_ord = 0;
};

// The members of 1..n not in `excluded`, ascending.
Vec complement(int n, const Vec& excluded)
{
    Vec result;
    for (int i = 1; i <= n; ++i) {
        if (apartenenta(i, excluded) == kNotFound) {
            result.push_back(i);
        }
    }
    return result;
}

void buildMarkings(HybridNet& net)
{
    net.marcaj1 = Vec(static_cast<std::size_t>(net.nr_poz));
    for (std::size_t p = 1; p <= net.marcaj.size(); ++p) {
        net.marcaj1(p) = net.marcaj(p) < 0 ? 0.0 : net.marcaj(p);
    }
    for (double p : net.Pozcont) {
        const double value = net.marcaj(static_cast<std::size_t>(p));
        net.marcaj_cont.push_back(value);
        net.mc.push_back(value < 0 ? 0.0 : value);
    }
    // A discrete place has no 0+: its code -1 stands for one token, in the
    // full marking as well, so that both views of the place agree.
    for (double p : net.Pozdis) {
        const auto place = static_cast<std::size_t>(p);
        const double value = std::fabs(net.marcaj(place));
        net.md.push_back(value);
        net.marcaj1(place) = value;
    }
    net.marcaj_dis = net.md;
    net.md_u = net.md;
}

void buildTransitionValues(HybridNet& net)
{
    for (double t : net.Trancont) {
        net.U.push_back(net.tranzitii(static_cast<std::size_t>(t)));
    }
    for (double t : net.Trandis) {
        net.td.push_back(net.tranzitii(static_cast<std::size_t>(t)));
    }
}

HybridNetResult failure(std::string message)
{
    return {std::nullopt, std::move(message)};
}

}  // namespace

HybridNetResult buildHybridNet(const DataFile& file)
{
    constexpr std::size_t kHeaderCounts = 4;
    if (file.date.size() < kHeaderCounts) {
        return failure("the file holds " + std::to_string(file.date.size()) +
                       " numbers after its first line, fewer than the 4 counts of its header");
    }
    HybridNet net;
    net.names = file.names;
    Reader reader(file);
    if (auto error = reader.count("places", net.nr_poz)) {
        return failure(*error);
    }
    if (auto error = reader.count("discrete places", net.nr_pozd)) {
        return failure(*error);
    }
    if (auto error = reader.count("transitions", net.nr_tran)) {
        return failure(*error);
    }
    if (auto error = reader.count("discrete transitions", net.nr_trand)) {
        return failure(*error);
    }
    if (net.nr_pozd > net.nr_poz) {
        return failure("the number of discrete places (" + std::to_string(net.nr_pozd) +
                       ") exceeds the number of places (" + std::to_string(net.nr_poz) + ")");
    }
    if (net.nr_trand > net.nr_tran) {
        return failure("the number of discrete transitions (" + std::to_string(net.nr_trand) +
                       ") exceeds the number of transitions (" + std::to_string(net.nr_tran) + ")");
    }
    const auto P = static_cast<std::uint64_t>(net.nr_poz);
    const auto T = static_cast<std::uint64_t>(net.nr_tran);
    const std::uint64_t needed = kHeaderCounts + static_cast<std::uint64_t>(net.nr_pozd) +
                                 static_cast<std::uint64_t>(net.nr_trand) + 2 * P * T + P + T;
    if (file.date.size() < needed) {
        return failure("the file ends after " + std::to_string(file.date.size()) +
                       " numbers, but its header announces at least " + std::to_string(needed));
    }

    if (auto error = reader.numbers("discrete place", net.nr_pozd, net.nr_poz, net.Pozdis)) {
        return failure(*error);
    }
    if (auto error =
            reader.numbers("discrete transition", net.nr_trand, net.nr_tran, net.Trandis)) {
        return failure(*error);
    }
    net.Pozitii = complement(net.nr_poz, {});
    net.Pozcont = complement(net.nr_poz, net.Pozdis);
    net.Trancont = complement(net.nr_tran, net.Trandis);

    if (auto error = reader.matrix(net.nr_poz, net.nr_tran, net.Pre)) {
        return failure(*error);
    }
    if (auto error = reader.matrix(net.nr_poz, net.nr_tran, net.Post)) {
        return failure(*error);
    }
    net.W = difference(net.Post, net.Pre);

    for (int p = 1; p <= net.nr_poz; ++p) {
        net.marcaj.push_back(reader.next());
        const bool discrete = apartenenta(p, net.Pozdis) == kFound;
        if (auto error = badMarking(net.marcaj(static_cast<std::size_t>(p)), discrete)) {
            return failure("the initial marking of place P" + std::to_string(p) + " " + reader.where() + " " +
                           *error);
        }
    }
    for (int t = 1; t <= net.nr_tran; ++t) {
        net.tranzitii.push_back(reader.next());
        const double value = net.tranzitii(static_cast<std::size_t>(t));
        if (value < 0 && value != kSpecialValue) {
            const bool discrete = apartenenta(t, net.Trandis) == kFound;
            return failure(std::string(discrete ? "the duration" : "the maximal speed") + " of transition T" +
                           std::to_string(t) + " " + reader.where() + " is " + number(value) +
                           "; it must be 0 or more, or -1 for inf");
        }
    }
    buildMarkings(net);
    buildTransitionValues(net);

    net.conflicte = file.date.range(reader.ord() + 1, file.date.size());
    net.conflict = gasire_conflicte(net.Pre, net.Pozdis, net.Trandis);
    if (auto error = citire_prioritati(net.conflict, net.conflicte, net.Trandis)) {
        return failure(*error);
    }
    return {std::move(net), {}};
}

}  // namespace mixsim
