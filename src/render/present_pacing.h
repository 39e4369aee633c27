#pragma once
// When a composed frame may go to the screen: at most once per refresh
// interval of the display. A frame that comes too soon waits, and is shown
// when its interval is over unless a newer frame has taken its place: so the
// last frame of an animation is always shown, only later.
namespace dock {

// The interval of a display that reports `hertz` (0 or 1: unknown, 60 Hz).
double refreshInterval(int hertz);

class PresentPacing {
  public:
    // 0 shows every frame at once.
    void SetInterval(double milliseconds) { interval_ = milliseconds; }
    // A frame is ready at `now` (milliseconds): true when it may be shown now;
    // otherwise it is pending until DueAt().
    bool FrameReady(double now);
    // The pending frame was shown at `now`.
    void Shown(double now);
    bool Pending() const { return pending_; }
    double DueAt() const { return shownAt_ + interval_; }

  private:
    double interval_ = 0;
    double shownAt_ = 0;
    bool shownOnce_ = false;
    bool pending_ = false;
};

}  // namespace dock
