#include "analysis/Correlation.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <numbers>

namespace kt520::analysis {

namespace {

using Complex = std::complex<double>;

// Below this many multiply-adds the direct sum is faster than three FFTs.
constexpr double kDirectWorkLimit = 2.0e6;

// Points of a transform that fit the processor's cache together (64 KB).
constexpr std::size_t kBlock = 4096;

// a * b written out: std::complex's operator* checks for infinities and
// NaNs through a library call, which triples the transform's time.
inline Complex times(Complex a, Complex b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

// The twiddles of every stage of an n-point transform side by side: stage
// `length` reads its length / 2 of them from offset length / 2 - 1.
std::vector<Complex> twiddlesFor(std::size_t n) {
    std::vector<Complex> twiddle(n > 1 ? n - 1 : 0);
    for (std::size_t half = 1; half < n; half <<= 1) {
        for (std::size_t k = 0; k < half; ++k) {
            twiddle[half - 1 + k] = std::polar(
                1.0, -std::numbers::pi * static_cast<double>(k) / static_cast<double>(half));
        }
    }
    return twiddle;
}

// In-place iterative radix-2 transform with the twiddles of its size;
// `inverse` conjugates them and scales by 1/n.
void fft(std::vector<Complex>& a, const std::vector<Complex>& twiddle, bool inverse) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    // The first stage's only twiddle is 1: no multiplication.
    for (std::size_t start = 0; start + 1 < n; start += 2) {
        const Complex u = a[start];
        a[start] = u + a[start + 1];
        a[start + 1] = u - a[start + 1];
    }
    // The stages up to kBlock points run block by block while the block
    // sits in the cache; only the longer ones sweep the whole array.
    const auto stages = [&](std::size_t from, std::size_t to, std::size_t first, std::size_t last) {
        for (std::size_t length = from; length <= to; length <<= 1) {
            const std::size_t half = length / 2;
            const Complex* w = twiddle.data() + half - 1;
            for (std::size_t start = first; start < last; start += length) {
                for (std::size_t k = 0; k < half; ++k) {
                    const Complex u = a[start + k];
                    const Complex wk = inverse ? std::conj(w[k]) : w[k];
                    const Complex v = times(a[start + k + half], wk);
                    a[start + k] = u + v;
                    a[start + k + half] = u - v;
                }
            }
        }
    };
    const std::size_t block = std::min(n, kBlock);
    for (std::size_t first = 0; first < n; first += block) stages(4, block, first, first + block);
    stages(2 * block, n, 0, n);
    if (inverse) {
        const double scale = 1.0 / static_cast<double>(n);
        for (Complex& value : a) value *= scale;
    }
}

// The transform of a kernel pair, kept for the next call: every run with the
// same cut-off and pitch has the same weights, and the DIN4776 profile
// filters twice with them. One per thread, so the worker needs no lock.
struct KernelTransform {
    std::vector<double> a;
    std::vector<double> b;
    std::vector<Complex> twiddle;
    std::vector<Complex> transform;
};

const KernelTransform& kernelTransform(std::size_t size, std::span<const double> a,
                                       std::span<const double> b) {
    thread_local KernelTransform kept;
    const bool same = kept.transform.size() == size &&
                      std::equal(a.begin(), a.end(), kept.a.begin(), kept.a.end()) &&
                      std::equal(b.begin(), b.end(), kept.b.begin(), kept.b.end());
    if (same) return kept;
    kept.a.assign(a.begin(), a.end());
    kept.b.assign(b.begin(), b.end());
    if (kept.twiddle.size() != (size > 1 ? size - 1 : 0)) kept.twiddle = twiddlesFor(size);
    // The kernel is reversed to turn correlation into convolution.
    kept.transform.assign(size, Complex{});
    for (std::size_t j = 0; j < a.size(); ++j)
        kept.transform[a.size() - 1 - j] = Complex(a[j], b[j]);
    fft(kept.transform, kept.twiddle, false);
    return kept;
}

CorrelationPair correlateDirectly(std::span<const double> signal, std::span<const double> a,
                                  std::span<const double> b) {
    const auto n = static_cast<std::ptrdiff_t>(signal.size());
    const auto h = static_cast<std::ptrdiff_t>(a.size() / 2);
    CorrelationPair out{std::vector<double>(signal.size()), std::vector<double>(signal.size())};
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const std::ptrdiff_t from = std::max<std::ptrdiff_t>(-h, -i);
        const std::ptrdiff_t to = std::min<std::ptrdiff_t>(h, n - 1 - i);
        double sumA = 0, sumB = 0;
        for (std::ptrdiff_t k = from; k <= to; ++k) {
            sumA += a[k + h] * signal[i + k];
            sumB += b[k + h] * signal[i + k];
        }
        out.first[i] = sumA;
        out.second[i] = sumB;
    }
    return out;
}

}  // namespace

CorrelationPair correlateByFft(std::span<const double> signal, std::span<const double> a,
                               std::span<const double> b) {
    const std::size_t n = signal.size();
    const std::size_t h = a.size() / 2;
    std::size_t size = 1;
    while (size < n + 2 * h) size <<= 1;
    // Correlation is linear in the kernel, so the pair travels as one complex
    // kernel a + ib: the real part of the result belongs to a, the imaginary
    // part to b. The kernel is reversed to turn correlation into convolution,
    // and the result is read h points on.
    const KernelTransform& kernel = kernelTransform(size, a, b);
    std::vector<Complex> s(size);
    for (std::size_t i = 0; i < n; ++i) s[i] = signal[i];
    fft(s, kernel.twiddle, false);
    for (std::size_t i = 0; i < size; ++i) s[i] = times(s[i], kernel.transform[i]);
    fft(s, kernel.twiddle, true);
    CorrelationPair out{std::vector<double>(n), std::vector<double>(n)};
    for (std::size_t i = 0; i < n; ++i) {
        out.first[i] = s[i + h].real();
        out.second[i] = s[i + h].imag();
    }
    return out;
}

CorrelationPair correlate(std::span<const double> signal, std::span<const double> a,
                          std::span<const double> b) {
    const double work = static_cast<double>(signal.size()) * static_cast<double>(a.size());
    return work <= kDirectWorkLimit ? correlateDirectly(signal, a, b)
                                    : correlateByFft(signal, a, b);
}

}  // namespace kt520::analysis
