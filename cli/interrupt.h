#pragma once

namespace quarvel::cli {

// Ctrl-C during a long job (export, upload): while an instance lives, the first press is only
// noted, so the job's console can ask its runner to stop between two records and answer the stop
// questions Yes; a second press ends the program at once, for a job caught in one long statement.
class InterruptAsStop {
 public:
  InterruptAsStop();
  ~InterruptAsStop();
  InterruptAsStop(const InterruptAsStop&) = delete;
  InterruptAsStop& operator=(const InterruptAsStop&) = delete;

  // Whether Ctrl-C was pressed since the instance was made.
  static bool Pressed();

 private:
  void (*previous_)(int);
};

}  // namespace quarvel::cli
