// The progress bar's range, position and step, with the progress control's rules: a set or
// advanced position is kept inside the range, a step past the upper end starts over.
#pragma once

#include <cstdint>

class ProgressBar {
  public:
    int Lower() const { return lower_; }
    int Upper() const { return upper_; }
    int Position() const { return position_; }
    int Step() const { return step_; }

    void SetRange(int lower, int upper);  // the position is left as it is
    void SetStep(int step) { step_ = step; }
    void SetPosition(std::int64_t position);
    void Advance(std::int64_t delta);
    void StepIt();

  private:
    int lower_ = 0;
    int upper_ = 0;
    int position_ = 0;
    int step_ = 1;
};
