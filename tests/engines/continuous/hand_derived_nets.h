// Small continuous nets with result tables derived by hand, shared by the end-to-end tests.
#pragma once

namespace flowrun::test {

struct NetCase {
    const char* name;
    const char* input;   // "date.dat"
    const char* places;  // expected "P.rez"
    const char* transitions;  // expected "T.rez"
};

// Expected values derived by hand from the phase rules; see the comment of each net.
inline constexpr NetCase kNets[] = {
    // P1 -> T1 -> P2, speed 2: P1 empties after 2 time units.
    {"chain", "chain\n2 1\n1 0\n0 1\n4 0\n2\n",
     "2\n2\t4\t0\n\t0\t4\n\t0\t0\n", "2\n2\t2\n0\t0\n"},
    // P1 -> T1 (3) -> P2 -> T2 (1) -> P3: T2 is fed through the empty P2, then drains it.
    {"chain of two", "chain2\n3 2\n1 0\n0 1\n0 0\n0 0\n1 0\n0 1\n6 0 0\n3 1\n",
     "3\n2\t6\t0\t0\n4\t0\t4\t2\n\t0\t0\t6\n\t0\t0\t0\n", "3\n2\t3\t1\n4\t0\t1\n0\t0\t0\n"},
    // T1 synchronises P1 (2) and P2 (4): P1 empties first.
    {"synchronisation", "sync\n3 1\n1\n1\n0\n0\n0\n1\n2 4 0\n1\n",
     "2\n2\t2\t4\t0\n\t0\t2\t2\n\t0\t0\t0\n", "2\n2\t1\n0\t0\n"},
    // Weights 2 in and 3 out.
    {"weighted arcs", "weights\n2 1\n2\n0\n0\n3\n4 0\n1\n",
     "2\n2\t4\t0\n\t0\t6\n\t0\t0\n", "2\n2\t1\n0\t0\n"},
    // Source T1 (1) feeds the empty P1 drained by T2 (max 2): P1 stays 0+, K = 1.
    {"0+ place fed by a source", "source\n2 2\n0 1\n0 0\n1 0\n0 1\n0 0\n1 2\n",
     "1\n\t-1\t0\n\t0\t1\n", "1\n0\t1\t1\n"},
    // T1 reads P1 through a self-loop and fills P2 for ever.
    {"self-loop", "selfloop\n2 1\n1\n0\n1\n1\n1 0\n2\n",
     "1\n\t1\t0\n\t0\t2\n", "1\n0\t2\n"},
    // Infinite-speed T1 moves all of P1 into P2 before the first phase; T2 then drains P2.
    {"infinite speed", "infinite\n3 2\n1 0\n0 1\n0 0\n0 0\n1 0\n0 1\n3 0 0\n-1 1\n",
     "3\n0\t3\t0\t0\n3\t0\t3\t0\n\t0\t0\t3\n\t0\t0\t0\n", "3\n0\t-1\t0\n3\t0\t1\n0\t0\t0\n"},
    // Infinite-speed T1 on a 0+ input fires with q = -1: P1 becomes 0, P2 becomes 0+. In the
    // phase T2 cannot be fed, so its 0+ input is cleared to 0.
    {"infinite speed on 0+", "infzeroplus\n3 2\n1 0\n0 1\n0 0\n0 0\n1 0\n0 1\n-1 0 0\n-1 1\n",
     "2\n0\t-1\t0\t0\n\t0\t0\t0\n\t0\t0\t0\n", "2\n0\t-1\t0\n0\t0\t0\n"},
    // T1 (1) feeds the empty P2 whose outputs T2 (priority 1) and T3 (priority 2) conflict:
    // T2 takes the whole flow.
    {"conflict by priority", "priority\n4 3\n1 0 0\n0 1 1\n0 0 0\n0 0 0\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n2 0 0 0\n1 1 1\n1 2\n",
     "2\n2\t2\t0\t0\t0\n\t0\t0\t2\t0\n\t0\t0\t0\t0\n", "2\n2\t1\t1\t0\n0\t0\t0\t0\n"},
    // T2 and T3 share the empty P2 (fed at 2) with ratios 1 and 3: 1 * v2 = 3 * v3.
    {"sharing between two", "share2\n4 3\n1 0 0\n0 1 1\n0 0 0\n0 0 0\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n4 0 0 0\n2 5 5\n1 1 1 3\n",
     "2\n2\t4\t0\t0\t0\n\t0\t0\t3\t1\n\t0\t0\t0\t0\n", "2\n2\t2\t1.5000\t0.5000\n0\t0\t0\t0\n"},
    // T2, T3, T4 share the empty P2 (fed at 3) with ratios 1, 2, 1: speeds 1.2, 0.6, 1.2.
    {"sharing between three",
     "share3\n5 4\n1 0 0 0\n0 1 1 1\n0 0 0 0\n0 0 0 0\n0 0 0 0\n0 0 0 0\n1 0 0 0\n0 1 0 0\n0 0 1 0\n0 0 0 1\n6 0 0 0 0\n3 5 5 5\n1 1 1 1 2 1\n",
     "2\n2\t6\t0\t0\t0\t0\n\t0\t0\t2.40\t1.20\t2.40\n\t0\t0\t0\t0\t0\n", "2\n2\t3\t1.2000\t0.6000\t1.2000\n0\t0\t0\t0\t0\n"},
    // T1 (1) puts 2 into P2 per unit, T2 takes 3: T2 runs at 2/3. The solver reports 0.666667,
    // which overdraws P2 in the next program; the relaxed retry keeps the speed.
    {"speed with six digits", "weights3\n3 2\n1 0\n0 3\n0 0\n0 0\n2 0\n0 1\n4 0 0\n1 5\n",
     "2\n4\t4\t0\t0\n\t0\t0\t2.67\n\t0\t0\t0\n", "2\n4\t1\t0.6667\n0\t0\t0\n"},
    // A fast T2 (3) behind a slow T1 (1) runs at the speed of its feed.
    {"fast transition behind a slow one", "fastdown\n3 2\n1 0\n0 1\n0 0\n0 0\n1 0\n0 1\n2 0 0\n1 3\n",
     "2\n2\t2\t0\t0\n\t0\t0\t2\n\t0\t0\t0\n", "2\n2\t1\t1\n0\t0\t0\n"},
};

}  // namespace flowrun::test
