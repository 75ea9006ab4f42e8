// Builds "data.txt" texts laid out the way the GUI program writes them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace mixsim::testing {

// One value per line, lines ended by CR LF, reals as "%.12lg".
struct NetText {
    std::string title = "Net";
    int P = 0;
    int T = 0;
    std::vector<int> pozdis;
    std::vector<int> trandis;
    std::vector<std::vector<double>> pre;   // P rows of T weights
    std::vector<std::vector<double>> post;  // P rows of T weights
    std::vector<double> marcaj;
    std::vector<double> valori;
    std::vector<double> conflicte;

    [[nodiscard]] std::string text() const
    {
        std::string out = title + "\r\n";
        const auto line = [&out](double value) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.12lg\r\n", value);
            out += buffer;
        };
        line(P);
        line(static_cast<double>(pozdis.size()));
        line(T);
        line(static_cast<double>(trandis.size()));
        for (int p : pozdis) {
            line(p);
        }
        for (int t : trandis) {
            line(t);
        }
        for (const auto* matrix : {&pre, &post}) {
            for (const auto& row : *matrix) {
                for (double w : row) {
                    line(w);
                }
            }
        }
        for (const auto* values : {&marcaj, &valori, &conflicte}) {
            for (double v : *values) {
                line(v);
            }
        }
        return out;
    }
};

}  // namespace mixsim::testing
