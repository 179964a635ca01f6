#include "cli/interrupt.h"

#include <csignal>

namespace quarvel::cli {

namespace {

volatile std::sig_atomic_t g_pressed = 0;

extern "C" void OnInterrupt(int) {
  g_pressed = 1;
  std::signal(SIGINT, SIG_DFL);
}

}  // namespace

InterruptAsStop::InterruptAsStop() {
  g_pressed = 0;
  previous_ = std::signal(SIGINT, OnInterrupt);
}

InterruptAsStop::~InterruptAsStop() { std::signal(SIGINT, previous_ == SIG_ERR ? SIG_DFL : previous_); }

bool InterruptAsStop::Pressed() { return g_pressed != 0; }

}  // namespace quarvel::cli
