// 1-based real vectors and matrices, the engine's working arrays.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

namespace mixsim {

// A column of reals indexed from 1, like the sets and lists of the engine.
// Out-of-range indices throw std::out_of_range instead of touching memory.
class Vec {
public:
    Vec() = default;
    Vec(std::initializer_list<double> values) : m_values(values) {}
    explicit Vec(std::size_t count, double value = 0.0) : m_values(count, value) {}

    double& operator()(std::size_t i) { return m_values.at(i - 1); }
    double operator()(std::size_t i) const { return m_values.at(i - 1); }

    [[nodiscard]] std::size_t size() const { return m_values.size(); }
    [[nodiscard]] bool empty() const { return m_values.empty(); }
    void push_back(double value) { m_values.push_back(value); }
    void append(const Vec& other);
    // Removes element i (1-based).
    void erase(std::size_t i);

    // Elements first..last (1-based, inclusive); empty when last < first.
    [[nodiscard]] Vec range(std::size_t first, std::size_t last) const;

    [[nodiscard]] auto begin() const { return m_values.begin(); }
    [[nodiscard]] auto end() const { return m_values.end(); }
    [[nodiscard]] const std::vector<double>& values() const { return m_values; }

    bool operator==(const Vec&) const = default;

private:
    std::vector<double> m_values;
};

// A rows x cols real matrix indexed from 1, stored row by row.
class Mat {
public:
    Mat() = default;
    Mat(std::size_t rows, std::size_t cols, double value = 0.0)
        : m_rows(rows), m_cols(cols), m_values(rows * cols, value) {}

    double& operator()(std::size_t i, std::size_t j) { return m_values.at(index(i, j)); }
    double operator()(std::size_t i, std::size_t j) const { return m_values.at(index(i, j)); }

    [[nodiscard]] std::size_t rows() const { return m_rows; }
    [[nodiscard]] std::size_t cols() const { return m_cols; }

    bool operator==(const Mat&) const = default;

private:
    [[nodiscard]] std::size_t index(std::size_t i, std::size_t j) const;

    std::size_t m_rows = 0;
    std::size_t m_cols = 0;
    std::vector<double> m_values;
};

// Element-wise a - b of two matrices of the same shape.
[[nodiscard]] Mat difference(const Mat& a, const Mat& b);

}  // namespace mixsim
