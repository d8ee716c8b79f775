#include "files/snapshot.h"

#include <algorithm>
#include <type_traits>
#include <vector>

namespace hvt {

namespace {

void CopyHeaderAndChannelsInUse(const Configuration& from, Configuration& to) {
  const auto slots = to.Channels.Entries;
  to = from;
  to.Channels.Entries = slots;
  const auto inUse = from.Channels.Channels();
  std::copy(inUse.begin(), inUse.end(), to.Channels.Entries.begin());
}

template <class T>
concept DigitCountedCode = requires(const T& record) {
  record.DigitCount;
  record.Code.Raw();
};

template <class T>
bool Same(const T& a, const T& b);

// Calls same(name, fieldOfA, fieldOfB) for each field of two records of one type.
template <class T, class Compare>
bool SameFields(const T& a, const T& b, Compare&& same) {
  std::vector<const void*> fieldsOfB;
  T::VisitFields(b, [&fieldsOfB](const char*, const auto& field) { fieldsOfB.push_back(&field); });
  std::size_t index = 0;
  bool equal = true;
  T::VisitFields(a, [&](const char* name, const auto& field) {
    const auto& other = *static_cast<const std::remove_cvref_t<decltype(field)>*>(fieldsOfB[index++]);
    equal = equal && same(name, field, other);
  });
  return equal;
}

template <std::size_t N>
bool SameDigits(const FixedText<N>& a, const FixedText<N>& b, int digitCount) {
  const std::size_t length = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(digitCount, 0)), 0, N);
  return a.Raw().substr(0, length) == b.Raw().substr(0, length);
}

// Outside the lambda below: clang 14 looks up the member even where the constexpr branch is discarded.
template <class T>
int DigitCountOf(const T& record) {
  if constexpr (DigitCountedCode<T>) {
    return record.DigitCount;
  } else {
    return 0;
  }
}

template <class T>
bool Same(const T& a, const T& b) {
  if constexpr (std::is_integral_v<T>) {
    return a == b;
  } else if constexpr (IsFixedText<T>::value) {
    return a.Trimmed() == b.Trimmed();
  } else if constexpr (IsStdArray<T>::value) {
    return std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) { return Same(x, y); });
  } else {
    return SameFields(a, b, [&a](const char* name, const auto& x, const auto& y) {
      if constexpr (DigitCountedCode<T> && IsFixedText<std::remove_cvref_t<decltype(x)>>::value) {
        if (std::string_view(name) == "Code") return SameDigits(x, y, DigitCountOf(a));
      }
      return Same(x, y);
    });
  }
}

bool SameChannels(const ChannelTable& current, const ChannelTable& snapshot) {
  if (current.Count != snapshot.Count) return false;
  const auto channels = current.Channels();
  for (std::size_t i = 0; i < snapshot.Channels().size(); ++i) {
    const ChannelRecord& old = snapshot.Entries[i];
    const ChannelRecord* now = &current.Entries[i];
    if (now->ChannelNumber != old.ChannelNumber) {
      const auto found = std::find_if(channels.begin(), channels.end(), [&old](const ChannelRecord& c) {
        return c.ChannelNumber == old.ChannelNumber;
      });
      if (found == channels.end()) return false;
      now = &*found;
    }
    if (!Same(*now, old)) return false;
  }
  return true;
}

}  // namespace

void TakeSnapshot(Configuration& current, Configuration& snapshot, BandVariant band) {
  current.ModelName = kModelName;
  current.Version = kFirmwareVersion;
  current.BandVariant = static_cast<std::int16_t>(band);
  CopyHeaderAndChannelsInUse(current, snapshot);
}

void ApplySnapshot(const Configuration& snapshot, Configuration& current) {
  CopyHeaderAndChannelsInUse(snapshot, current);
}

bool IsModified(const Configuration& current, const Configuration& snapshot) {
  return !(Same(current.ToneTips, snapshot.ToneTips) && SameChannels(current.Channels, snapshot.Channels) &&
           Same(current.Dtmf, snapshot.Dtmf) && Same(current.TwoTone, snapshot.TwoTone) &&
           Same(current.FiveTone, snapshot.FiveTone) && Same(current.Options, snapshot.Options) &&
           Same(current.Book, snapshot.Book) && Same(current.Scan, snapshot.Scan) &&
           Same(current.Alert, snapshot.Alert));
}

}  // namespace hvt
