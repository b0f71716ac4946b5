// Build-time tool: writes the progress dialog's animation clip to the file
// named on its command line. Runs on the build machine.
#include <cstdio>
#include <fstream>

#include "transfer_animation.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_transfer_animation OUTPUT.avi\n");
    return 2;
  }
  const std::vector<uint8_t> bytes =
      vexlow::animation::WriteAvi(vexlow::animation::MakeTransferAnimation());
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "make_transfer_animation: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
