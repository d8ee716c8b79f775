// Runs a fuzz target over saved inputs without libFuzzer, so every target builds and replays its
// corpus as an ordinary test: replay FILE_OR_FOLDER...

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

bool Replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // A buffer of exactly the input's size, so a sanitizer sees a read past its end.
  const auto copy = std::make_unique<std::uint8_t[]>(bytes.size() + (bytes.empty() ? 1 : 0));
  std::copy(bytes.begin(), bytes.end(), copy.get());
  std::cout << "replaying " << file.string() << " (" << bytes.size() << " bytes)" << std::endl;
  LLVMFuzzerTestOneInput(copy.get(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  std::size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = argv[i];
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());
    } else {
      files.push_back(path);
    }
    for (const auto& file : files) {
      if (!Replay(file)) {
        std::cerr << "cannot read " << file.string() << "\n";
        return 1;
      }
      ++replayed;
    }
  }
  std::cout << "replayed " << replayed << " inputs\n";
  // An empty corpus is a mistake in the test's set-up, not a pass.
  return replayed > 0 ? 0 : 1;
}
