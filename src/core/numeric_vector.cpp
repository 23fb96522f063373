#include "core/numeric_vector.h"

#include "base/basic_types.h"
#include "core/component_errors.h"
#include "core/numeric_helpers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

constexpr int kMaxHistogramClasses = 500;

// Rules both vectors share. Resize: false when n is below 1 or is the size already.
template <typename T>
bool Resize(std::vector<T>& v, int n, const std::string& name)
{
    if (n < 1 || n == static_cast<int>(v.size()))
        return false;
    try {
        v.resize(static_cast<std::size_t>(n));
    } catch (const std::bad_alloc&) {
        throw ERukVectorError(ComponentMessage(name, kNotEnoughMemory));
    } catch (const std::length_error&) {
        throw ERukVectorError(ComponentMessage(name, kNotEnoughMemory));
    }
    return true;
}

// 1-based; a read outside gives 0, a write there is ignored (false).
template <typename T>
T ElemAt(const std::vector<T>& v, int i)
{
    if (i < 1 || i > static_cast<int>(v.size()))
        return 0;
    return v[static_cast<std::size_t>(i - 1)];
}

template <typename T>
bool StoreAt(std::vector<T>& v, int i, T x)
{
    if (i < 1 || i > static_cast<int>(v.size()))
        return false;
    v[static_cast<std::size_t>(i - 1)] = x;
    return true;
}

// Size and elements through the public setters, so that each step notifies.
template <typename V>
void CopyElems(V& to, const V& from)
{
    to.SetNrOfElem(from.NrOfElem());
    for (int i = 1; i <= from.NrOfElem(); ++i)
        to.SetElem(i, from.GetElem(i));
}

template <typename T>
void MakeOneElement(std::vector<T>& v, const std::string& name)
{
    try {
        v.assign(1, T{});
    } catch (const std::bad_alloc&) {
        throw ERukVectorError(ComponentMessage(name, kNotEnoughMemoryOnHeap));
    }
}

void Clamp(int& first, int& last, int count)
{
    if (first < 1)
        first = 1;
    if (first > count)
        first = count;
    if (last < 1)
        last = 1;
    if (last > count)
        last = count;
    if (first > last)
        std::swap(first, last);
}

}  // namespace

// ---------------------------------------------------------------- TVector

TVector::TVector()
{
    MakeOneElement(m_elems, m_name);
}

void TVector::Changed()
{
    if (OnChange)
        OnChange();
}

void TVector::SetNrOfElem(int n)
{
    if (Resize(m_elems, n, m_name))
        Changed();
}

double TVector::GetElem(int i) const
{
    return ElemAt(m_elems, i);
}

void TVector::SetElem(int i, double v)
{
    if (!StoreAt(m_elems, i, v))
        return;
    m_plain = false;
    Changed();
}

void TVector::ClampRange(int& first, int& last) const
{
    Clamp(first, last, NrOfElem());
}

void TVector::MinMax(int first, int last, double& min, double& max) const
{
    min = 1e308;
    max = -1e308;
    if (m_elems.empty())
        return;
    ClampRange(first, last);
    for (int i = first; i <= last; ++i) {
        const double v = m_elems[static_cast<std::size_t>(i - 1)];
        if (v < min)
            min = v;
        if (v > max)
            max = v;
    }
}

double TVector::Percentile(int first, int last, double p) const
{
    ClampRange(first, last);
    if (std::isnan(p))
        return std::numeric_limits<double>::quiet_NaN();
    if (p < 0)
        p = 0;
    if (p > 100)
        p = 100;

    std::vector<double> sorted;
    try {
        sorted.assign(m_elems.begin() + (first - 1), m_elems.begin() + last);
    } catch (const std::bad_alloc&) {
        throw ERukVectorError(ComponentMessage(m_name, kNotEnoughMemoryOnHeap));
    }
    const int n = static_cast<int>(sorted.size());
    CombSortDoubles(sorted, n - 1, true);

    if (n == 1)
        return sorted[0];
    if (p == 100)
        return sorted[static_cast<std::size_t>(n - 1)];
    const double pos = (static_cast<double>(n) + 1) * p / 100;  // at most n + 1
    const auto k = static_cast<int>(Trunc(pos));
    const double f = pos - k;
    if (k == 0)
        return sorted[0];
    if (pos >= n)
        return sorted[static_cast<std::size_t>(n - 1)];
    const double tk = sorted[static_cast<std::size_t>(k - 1)];
    return tk + f * (sorted[static_cast<std::size_t>(k)] - tk);
}

bool TVector::Histogram(int first, int last, double lower, double upper, double width,
                        TIntVector& bins, int& below, int& above, int& largest) const
{
    if (!std::isfinite(lower) || !std::isfinite(upper) || !std::isfinite(width) || width == 0)
        return false;
    const double ratio = std::fabs(upper - lower) / width;
    if (!std::isfinite(ratio) || ratio > kMaxHistogramClasses + 1)
        return false;
    // A negative width gives a negative count, which counts as none.
    const std::int64_t count = ratio < 0 ? 0 : Round(ratio);
    if (count > kMaxHistogramClasses)
        return false;

    if (count >= 1 && count != bins.NrOfElem())
        bins.SetNrOfElem(static_cast<int>(count));
    bins.Clear();
    std::int64_t nBelow = 0;
    std::int64_t nAbove = 0;
    int most = 0;
    const double top = upper + width;
    for (std::int64_t i = first; i <= last; ++i) {
        const double v = GetElem(static_cast<int>(i));
        if (v < lower) {
            ++nBelow;
        } else if (v >= top) {
            ++nAbove;
        } else {
            // NaN and values past the last class land in no class.
            const double cls = std::trunc((v - lower) / width) + 1;
            if (!(cls >= 1 && cls <= bins.NrOfElem()))
                continue;
            const int k = static_cast<int>(cls);
            const std::int32_t c = bins.GetElem(k);
            if (c == std::numeric_limits<std::int32_t>::max())
                continue;
            bins.SetElem(k, c + 1);
            if (c + 1 > most)
                most = c + 1;
        }
    }
    constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
    below = static_cast<int>(std::min(nBelow, kIntMax));
    above = static_cast<int>(std::min(nAbove, kIntMax));
    largest = most;
    return true;
}

void TVector::MeanVar(int first, int last, double& mean, double& variance) const
{
    ClampRange(first, last);
    const int n = last - first + 1;
    const double* x = m_elems.data() + (first - 1);
    // Sums of deviations from the first value: the same formula, without the
    // cancellation that large offsets cause in raw sums of squares. An infinite
    // first value would turn every deviation into NaN: raw sums then.
    const double shift = std::isfinite(x[0]) ? x[0] : 0.0;
    double s1 = 0;
    double s2 = 0;
    for (int i = 0; i < n; ++i) {
        const double d = x[i] - shift;
        s1 += d;
        s2 += d * d;
    }
    mean = shift + s1 / n;
    if (n >= 2) {
        variance = (s2 - s1 * s1 / n) / (n - 1);
        if (variance < 0)
            variance = 0;
    } else {
        variance = 1.0;  // one value has no sample variance
    }
}

void TVector::CopyFrom(const TVector* source)
{
    if (!source)
        return;
    CopyElems(*this, *source);
    Changed();
}

// ---------------------------------------------------------------- TIntVector

TIntVector::TIntVector()
{
    MakeOneElement(m_elems, m_name);
}

void TIntVector::Changed()
{
    if (OnChange)
        OnChange();
}

void TIntVector::SetNrOfElem(int n)
{
    if (Resize(m_elems, n, m_name))
        Changed();
}

std::int32_t TIntVector::GetElem(int i) const
{
    return ElemAt(m_elems, i);
}

void TIntVector::SetElem(int i, std::int32_t v)
{
    if (!StoreAt(m_elems, i, v))
        return;
    m_plain = false;
    Changed();
}

void TIntVector::Clear()
{
    if (m_elems.empty())
        return;
    std::fill(m_elems.begin(), m_elems.end(), 0);
    m_plain = true;
    Changed();
}

std::int64_t TIntVector::Sum(int first, int last) const
{
    Clamp(first, last, NrOfElem());
    std::int64_t sum = 0;
    for (int i = first; i <= last; ++i)
        sum += m_elems[static_cast<std::size_t>(i - 1)];
    return sum;
}

void TIntVector::SortRange(bool ascending, int first, int last)
{
    Clamp(first, last, NrOfElem());
    if (last - first < 1)
        return;
    // elements 1..NrOfElem sit at 0..NrOfElem-1
    const auto exchange = [this](int i, int j) {
        if (OnSortExchange)
            OnSortExchange(0, i + 1, j + 1, 0, 0);
    };
    const auto noPass = [] {};
    if (ascending)
        CombSort(m_elems.data(), first - 1, last - 1, last - first,
                 [](std::int32_t a, std::int32_t b) { return a > b; }, exchange, noPass);
    else
        CombSort(m_elems.data(), first - 1, last - 1, last - first,
                 [](std::int32_t a, std::int32_t b) { return a < b; }, exchange, noPass);
    Changed();
}

void TIntVector::CopyFrom(const TIntVector* source)
{
    if (!source)
        return;
    CopyElems(*this, *source);
    Changed();
}
