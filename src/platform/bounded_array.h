// Arrays with explicit index ranges (lower bound 0 or 1, one to three dimensions), as the
// program's data module uses them: redimensioning discards the contents unless asked to
// keep them, erasing leaves an array with no elements, and every access is checked so an
// index fault is caught where it happens instead of corrupting memory.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace quon {

class IndexFault : public std::out_of_range {
public:
  using std::out_of_range::out_of_range;
};

// The fault texts are built apart from the checks, so that a checked access stays small enough
// to be inlined into the loops that make most of them.
[[noreturn, gnu::cold, gnu::noinline]] inline void ThrowIndexOutside(int d, int i, int lo, int hi) {
  throw IndexFault("index " + std::to_string(i) + " outside " + std::to_string(lo) + " To " +
                   std::to_string(hi) + " in dimension " + std::to_string(d + 1));
}

[[noreturn, gnu::cold, gnu::noinline]] inline void ThrowDimensionFault(int dims, int want) {
  throw IndexFault(dims == 0 ? std::string("array has no elements")
                             : "array of " + std::to_string(dims) + " dimensions indexed with " +
                                   std::to_string(want));
}

template <class T> class BArray {
public:
  BArray() = default;

  // Fresh dimensions; every element is reset to T().
  void ReDim(int hi1) { ReDimRanges({Range{0, hi1}}, 1, false); }
  void ReDim(int hi1, int hi2) { ReDimRanges({Range{0, hi1}, Range{0, hi2}}, 2, false); }
  void ReDim(int hi1, int hi2, int hi3) {
    ReDimRanges({Range{0, hi1}, Range{0, hi2}, Range{0, hi3}}, 3, false);
  }
  void ReDimRange(int lo1, int hi1) { ReDimRanges({Range{lo1, hi1}}, 1, false); }
  void ReDimRange(int lo1, int hi1, int lo2, int hi2) {
    ReDimRanges({Range{lo1, hi1}, Range{lo2, hi2}}, 2, false);
  }
  void ReDimRange(int lo1, int hi1, int lo2, int hi2, int lo3, int hi3) {
    ReDimRanges({Range{lo1, hi1}, Range{lo2, hi2}, Range{lo3, hi3}}, 3, false);
  }

  // Redimension keeping every element whose indices lie in both the old and the new ranges.
  void ReDimPreserve(int hi1) { ReDimRanges({Range{LBoundOr0(0), hi1}}, 1, true); }
  void ReDimPreserve(int hi1, int hi2) {
    ReDimRanges({Range{LBoundOr0(0), hi1}, Range{LBoundOr0(1), hi2}}, 2, true);
  }
  void ReDimPreserveRange(int lo1, int hi1, int lo2, int hi2) {
    ReDimRanges({Range{lo1, hi1}, Range{lo2, hi2}}, 2, true);
  }

  void Erase() {
    data_.clear();
    dims_ = 0;
    ranges_ = {};
  }

  bool Empty() const { return dims_ == 0 || data_.empty(); }
  int Dims() const { return dims_; }
  std::size_t Size() const { return data_.size(); }
  int LBound(int dim = 1) const { return RangeOf(dim).lo; }
  int UBound(int dim = 1) const { return RangeOf(dim).hi; }

  T &operator()(int i) { return data_[Offset1(i)]; }
  const T &operator()(int i) const { return data_[Offset1(i)]; }
  T &operator()(int i, int j) { return data_[Offset2(i, j)]; }
  const T &operator()(int i, int j) const { return data_[Offset2(i, j)]; }
  T &operator()(int i, int j, int k) { return data_[Offset3(i, j, k)]; }
  const T &operator()(int i, int j, int k) const { return data_[Offset3(i, j, k)]; }

  // Sets every element to the given value, keeping the dimensions.
  void Fill(const T &v) {
    for (auto &e : data_)
      e = v;
  }

  // Raw contiguous storage, last index fastest; for hot loops that have checked their bounds.
  T *Raw() { return data_.data(); }
  const T *Raw() const { return data_.data(); }

private:
  struct Range {
    int lo = 0;
    int hi = -1;
    int Count() const { return hi - lo + 1; }
  };

  int LBoundOr0(int d) const { return d < dims_ ? ranges_[d].lo : 0; }

  const Range &RangeOf(int dim) const {
    if (dim < 1 || dim > dims_) throw IndexFault("array has no dimension " + std::to_string(dim));
    return ranges_[dim - 1];
  }

  void ReDimRanges(std::array<Range, 3> r, int dims, bool preserve) {
    std::size_t total = 1;
    for (int d = 0; d < dims; ++d) {
      if (r[d].hi < r[d].lo)
        throw IndexFault("array bounds " + std::to_string(r[d].lo) + " To " + std::to_string(r[d].hi) +
                         " are empty");
      total *= static_cast<std::size_t>(r[d].Count());
    }
    std::vector<T> fresh(total);
    if (preserve && dims_ == dims && !data_.empty()) {
      // Copy the overlap of old and new index ranges.
      std::array<Range, 3> lap{};
      bool any = true;
      for (int d = 0; d < dims; ++d) {
        lap[d].lo = std::max(r[d].lo, ranges_[d].lo);
        lap[d].hi = std::min(r[d].hi, ranges_[d].hi);
        if (lap[d].hi < lap[d].lo) any = false;
      }
      if (any) {
        for (int d = dims; d < 3; ++d)
          lap[d] = Range{0, 0};
        for (int i = lap[0].lo; i <= lap[0].hi; ++i)
          for (int j = lap[1].lo; j <= lap[1].hi; ++j)
            for (int k = lap[2].lo; k <= lap[2].hi; ++k) {
              std::size_t oldOff = OffsetIn(ranges_, dims, i, j, k);
              std::size_t newOff = OffsetIn(r, dims, i, j, k);
              fresh[newOff] = std::move(data_[oldOff]);
            }
      }
    }
    for (int d = dims; d < 3; ++d)
      r[d] = Range{0, 0};
    ranges_ = r;
    dims_ = dims;
    data_ = std::move(fresh);
  }

  static std::size_t OffsetIn(const std::array<Range, 3> &r, int dims, int i, int j, int k) {
    std::size_t off = static_cast<std::size_t>(i - r[0].lo);
    if (dims >= 2) off = off * r[1].Count() + static_cast<std::size_t>(j - r[1].lo);
    if (dims >= 3) off = off * r[2].Count() + static_cast<std::size_t>(k - r[2].lo);
    return off;
  }

  void Check(int d, int i) const {
    if (i < ranges_[d].lo || i > ranges_[d].hi) [[unlikely]]
      ThrowIndexOutside(d, i, ranges_[d].lo, ranges_[d].hi);
  }
  void CheckDims(int want) const {
    if (dims_ != want) [[unlikely]]
      ThrowDimensionFault(dims_, want);
  }
  std::size_t Offset1(int i) const {
    CheckDims(1);
    Check(0, i);
    return OffsetIn(ranges_, 1, i, 0, 0);
  }
  std::size_t Offset2(int i, int j) const {
    CheckDims(2);
    Check(0, i);
    Check(1, j);
    return OffsetIn(ranges_, 2, i, j, 0);
  }
  std::size_t Offset3(int i, int j, int k) const {
    CheckDims(3);
    Check(0, i);
    Check(1, j);
    Check(2, k);
    return OffsetIn(ranges_, 3, i, j, k);
  }

  std::vector<T> data_;
  std::array<Range, 3> ranges_{};
  int dims_ = 0;
};

} // namespace quon
