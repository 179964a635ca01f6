#include <iostream>

int main(int argc, char** argv) {
  (void)argc;
  (void)argv;
  std::cout << "quarvel-cli\n";
  return 0;
}
