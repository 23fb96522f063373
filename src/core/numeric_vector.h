#pragma once
// 1-based numeric vectors of the component library: a read outside
// 1..NrOfElem gives 0 and a write there is ignored.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Called for every exchange a sort makes: what was exchanged (0 elements,
// 1 columns, other rows), the two indices and the range the exchange covers.
using TSortExchgEvent =
    std::function<void(std::uint8_t exchgWhat, int index1, int index2, int first, int last)>;

class TIntVector;

// Vector of doubles with range statistics and a histogram.
class TVector {
public:
    TVector();
    TVector(const TVector&) = delete;
    TVector& operator=(const TVector&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    int NrOfElem() const { return static_cast<int>(m_elems.size()); }
    // Ignored below 1 or when unchanged; kept elements keep their values.
    void SetNrOfElem(int n);

    double GetElem(int i) const;
    // Ignored outside 1..NrOfElem; otherwise the vector is no longer plain.
    void SetElem(int i, double v);
    // True until an element is written.
    bool Plain() const { return m_plain; }

    // Ranges are clamped to 1..NrOfElem and swapped when first > last.
    void MinMax(int first, int last, double& min, double& max) const;
    // p in percent, clamped to 0..100; interpolates at rank (n + 1) * p / 100.
    double Percentile(int first, int last, double p) const;
    // Counts the values of first..last (not clamped) into classes of the given
    // width from lower on; false when the class count is unusable (zero, NaN
    // or infinite width or bounds, more than 500 classes).
    bool Histogram(int first, int last, double lower, double upper, double width, TIntVector& bins,
                   int& below, int& above, int& largest) const;
    // Sample variance (divisor n - 1) from two values on; 1.0 for a single value.
    void MeanVar(int first, int last, double& mean, double& variance) const;
    // Size and elements of source; nothing for nullptr.
    void CopyFrom(const TVector* source);

    std::function<void()> OnChange;
    TSortExchgEvent OnSortExchange;

private:
    void ClampRange(int& first, int& last) const;
    void Changed();

    std::string m_name;
    std::vector<double> m_elems;
    bool m_plain = true;
};

// Vector of 32-bit integers.
class TIntVector {
public:
    TIntVector();
    TIntVector(const TIntVector&) = delete;
    TIntVector& operator=(const TIntVector&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    int NrOfElem() const { return static_cast<int>(m_elems.size()); }
    void SetNrOfElem(int n);

    std::int32_t GetElem(int i) const;
    // Ignored outside 1..NrOfElem; otherwise the vector is no longer plain.
    void SetElem(int i, std::int32_t v);
    // True until an element is written; Clear makes the vector plain again.
    bool Plain() const { return m_plain; }

    // All elements 0.
    void Clear();
    // Sum over the clamped range, without overflow.
    std::int64_t Sum(int first, int last) const;
    // Comb sort of first..last in place (swapped when first > last, then clamped).
    void SortRange(bool ascending, int first, int last);
    void CopyFrom(const TIntVector* source);

    std::function<void()> OnChange;
    TSortExchgEvent OnSortExchange;

private:
    void Changed();

    std::string m_name;
    std::vector<std::int32_t> m_elems;
    bool m_plain = true;
};
