#include "qt/poll_loop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace hvt {

class PollLoop::Watch final : public TerminalWatch {
 public:
  Watch(PollLoop& loop, std::uint64_t id) : loop_(loop), id_(id) { loop_.watches_.push_back(this); }
  ~Watch() override { std::erase(loop_.watches_, this); }
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;

  void Begin(int handle, TerminalWatchListener& listener) override {
    End();
    handle_ = handle;
    listener_ = &listener;
  }
  void End() override {
    handle_ = -1;
    listener_ = nullptr;
    readable_ = writable_ = false;
    holdEnds_.reset();
  }
  void WatchReadable(bool on) override { readable_ = on; }
  void WatchWritable(bool on) override { writable_ = on; }
  bool HoldFor(std::chrono::nanoseconds after) override {
    holdEnds_.reset();
    if (after > std::chrono::nanoseconds{0}) holdEnds_ = Clock::now() + after;
    return true;
  }

  std::uint64_t Id() const { return id_; }
  int Handle() const { return listener_ != nullptr ? handle_ : -1; }
  short Events() const {
    if (Handle() < 0) return 0;
    return static_cast<short>((readable_ ? POLLIN : 0) | (writable_ ? POLLOUT : 0));
  }
  std::optional<Clock::time_point> HoldEnds() const {
    return listener_ != nullptr ? holdEnds_ : std::nullopt;
  }

  void Deliver(Ready what) {
    if (listener_ == nullptr) return;
    switch (what) {
      case Ready::Readable:
        if (readable_) listener_->OnReadable();
        break;
      case Ready::Writable:
        if (writable_) listener_->OnWritable();
        break;
      case Ready::HoldOver:
        if (holdEnds_ && *holdEnds_ <= Clock::now()) {
          holdEnds_.reset();
          listener_->OnHoldOver();
        }
        break;
      case Ready::Timeout:
        break;
    }
  }

 private:
  PollLoop& loop_;
  std::uint64_t id_;
  int handle_ = -1;
  TerminalWatchListener* listener_ = nullptr;
  bool readable_ = false;
  bool writable_ = false;
  std::optional<Clock::time_point> holdEnds_;
};

class PollLoop::Timer final : public ReplyTimer {
 public:
  Timer(PollLoop& loop, std::uint64_t id) : loop_(loop), id_(id) { loop_.timers_.push_back(this); }
  ~Timer() override { std::erase(loop_.timers_, this); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void SetListener(ReplyTimerListener* listener) override { listener_ = listener; }
  void Start(std::chrono::milliseconds interval) override { due_ = Clock::now() + interval; }
  void Stop() override { due_.reset(); }
  bool IsRunning() const override { return due_.has_value(); }

  std::uint64_t Id() const { return id_; }
  std::optional<Clock::time_point> Due() const { return due_; }

  void Deliver() {
    if (!due_ || *due_ > Clock::now()) return;
    due_.reset();
    if (listener_ != nullptr) listener_->OnTimeout();
  }

 private:
  PollLoop& loop_;
  std::uint64_t id_;
  ReplyTimerListener* listener_ = nullptr;
  std::optional<Clock::time_point> due_;
};

PollLoop::PollLoop() : wake_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

PollLoop::~PollLoop() {
  if (wake_ >= 0) ::close(wake_);
}

std::unique_ptr<TerminalWatch> PollLoop::NewWatch() { return std::make_unique<Watch>(*this, nextId_++); }

std::unique_ptr<ReplyTimer> PollLoop::NewTimer() { return std::make_unique<Timer>(*this, nextId_++); }

void PollLoop::Wake() {
  const std::uint64_t one = 1;
  static_cast<void>(::write(wake_, &one, sizeof one));
}

void PollLoop::RunWhile(const std::function<bool()>& running) {
  std::vector<Event> events;
  while (running()) {
    events.clear();
    WaitForEvents(events);
    // A callback may end other watches and timers, or make new ones: each is looked up again.
    for (const Event& event : events) Dispatch(event);
  }
}

void PollLoop::WaitForEvents(std::vector<Event>& events) {
  std::vector<pollfd>& handles = handles_;
  std::vector<std::uint64_t>& owners = owners_;
  handles.assign(1, pollfd{wake_, POLLIN, 0});
  owners.assign(1, 0);
  std::optional<Clock::time_point> earliest;
  const auto consider = [&earliest](std::optional<Clock::time_point> due) {
    if (due && (!earliest || *due < *earliest)) earliest = due;
  };
  for (const Watch* watch : watches_) {
    consider(watch->HoldEnds());
    if (const short wanted = watch->Events(); wanted != 0) {
      handles.push_back({watch->Handle(), wanted, 0});
      owners.push_back(watch->Id());
    }
  }
  for (const Timer* timer : timers_) consider(timer->Due());

  timespec wait{};
  if (earliest) {
    const auto left = std::max(std::chrono::duration_cast<std::chrono::nanoseconds>(*earliest - Clock::now()),
                               std::chrono::nanoseconds{0});
    wait.tv_sec = static_cast<time_t>(left.count() / 1'000'000'000);
    wait.tv_nsec = static_cast<long>(left.count() % 1'000'000'000);
  }
  const int ready = ::ppoll(handles.data(), handles.size(), earliest ? &wait : nullptr, nullptr);
  if (ready < 0) return;  // a signal: the caller looks at what it asked for

  if (handles[0].revents != 0) {
    std::uint64_t count = 0;
    static_cast<void>(::read(wake_, &count, sizeof count));
  }
  for (std::size_t i = 1; i < handles.size() && ready > 0; ++i) {
    const short got = handles[i].revents;
    if (got == 0) continue;
    // An error or hang-up goes to whichever side is watched: its read or write then finds it.
    if ((got & (POLLIN | POLLERR | POLLHUP | POLLNVAL)) != 0 && (handles[i].events & POLLIN) != 0)
      events.push_back({owners[i], Ready::Readable});
    if ((got & (POLLOUT | POLLERR | POLLHUP | POLLNVAL)) != 0 && (handles[i].events & POLLOUT) != 0)
      events.push_back({owners[i], Ready::Writable});
  }
  const Clock::time_point now = Clock::now();
  for (const Watch* watch : watches_) {
    if (const auto ends = watch->HoldEnds(); ends && *ends <= now)
      events.push_back({watch->Id(), Ready::HoldOver});
  }
  for (const Timer* timer : timers_) {
    if (const auto due = timer->Due(); due && *due <= now) events.push_back({timer->Id(), Ready::Timeout});
  }
}

void PollLoop::Dispatch(const Event& event) {
  if (event.What == Ready::Timeout) {
    if (Timer* timer = FindTimer(event.Id)) timer->Deliver();
  } else if (Watch* watch = FindWatch(event.Id)) {
    watch->Deliver(event.What);
  }
}

PollLoop::Watch* PollLoop::FindWatch(std::uint64_t id) const {
  const auto found = std::ranges::find_if(watches_, [id](const Watch* watch) { return watch->Id() == id; });
  return found != watches_.end() ? *found : nullptr;
}

PollLoop::Timer* PollLoop::FindTimer(std::uint64_t id) const {
  const auto found = std::ranges::find_if(timers_, [id](const Timer* timer) { return timer->Id() == id; });
  return found != timers_.end() ? *found : nullptr;
}

}  // namespace hvt
