// Bytes the program allocates during a whole run, with the real package and
// with a 64 MiB one: the package is written straight from its resource, so
// the figure does not grow with it.
//
// Usage: memory_bench PACKAGE INSTALL_SOURCE
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/CWinApp.h"
#include "tests/fake/FakeWindows.h"

namespace {

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the program once with this package; prints and returns the bytes it allocated.
long long Measure(const char* what, const std::string& package, const std::string& installSource) {
    FakeWindows& fake = FakeWindows::Get();
    fake.Reset();
    fake.SetResource("MSI", 130, package);
    fake.SetResource("K7R", 10, installSource);
    FakeHeap::Arm(0);
    const int exitCode = AfxWinMain(fake.Module(), nullptr, const_cast<char*>(""), SW_SHOW);
    const long long bytes = FakeHeap::bytes;
    const long allocations = FakeHeap::allocations;
    std::printf("Memory, %s of %zu bytes: %lld bytes in %ld allocations, exit code %d\n", what, package.size(), bytes,
                allocations, exitCode);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: memory_bench PACKAGE INSTALL_SOURCE\n");
        return 2;
    }
    const std::string installSource = ReadFile(argv[2]);
    const long long real = Measure("the real package", ReadFile(argv[1]), installSource);
    const long long large = Measure("a package", std::string(64 << 20, '\x5A'), installSource);
    return real == large ? 0 : 1;
}
