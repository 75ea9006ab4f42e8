// 1-based real vectors and matrices.
#include "engines/hybrid/array.h"

#include <stdexcept>

namespace mixsim {

void Vec::append(const Vec& other)
{
    m_values.insert(m_values.end(), other.m_values.begin(), other.m_values.end());
}

void Vec::erase(std::size_t i)
{
    if (i < 1 || i > m_values.size()) {
        throw std::out_of_range("Vec::erase index out of range");
    }
    m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(i - 1));
}

Vec Vec::range(std::size_t first, std::size_t last) const
{
    Vec result;
    for (std::size_t i = first; i <= last; ++i) {
        result.push_back((*this)(i));
    }
    return result;
}

std::size_t Mat::index(std::size_t i, std::size_t j) const
{
    if (i < 1 || i > m_rows || j < 1 || j > m_cols) {
        throw std::out_of_range("Mat index out of range");
    }
    return (i - 1) * m_cols + (j - 1);
}

Mat difference(const Mat& a, const Mat& b)
{
    if (a.rows() != b.rows() || a.cols() != b.cols()) {
        throw std::invalid_argument("difference of matrices of different shapes");
    }
    Mat result(a.rows(), a.cols());
    for (std::size_t i = 1; i <= a.rows(); ++i) {
        for (std::size_t j = 1; j <= a.cols(); ++j) {
            result(i, j) = a(i, j) - b(i, j);
        }
    }
    return result;
}

}  // namespace mixsim
