#pragma once

// Expected runs of bytes, characters or numbers, built from smaller ones.

#include <initializer_list>

namespace hvt {

template <class Sequence>
Sequence Join(std::initializer_list<Sequence> parts) {
  Sequence all;
  for (const Sequence& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

template <class Sequence>
Sequence Repeat(const Sequence& unit, int times) {
  Sequence result;
  for (int i = 0; i < times; ++i) result.insert(result.end(), unit.begin(), unit.end());
  return result;
}

}  // namespace hvt
