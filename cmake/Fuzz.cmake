# The encoder's libFuzzer target (clang), under AddressSanitizer and
# UndefinedBehaviorSanitizer, with a bounded run as a CTest test.

set(TESSALY_FUZZ_SECONDS 60 CACHE STRING "How long the fuzz test runs")
set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)

add_executable(encoder_fuzz
    tests/fuzz/EncoderFuzz.cpp
    source_info/CBase64Codec.cpp
    framework/AfxAlloc.cpp
    framework/AtlThrow.cpp
    tests/fake/FakeWindows.cpp)
target_include_directories(encoder_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(encoder_fuzz PRIVATE ${FUZZ_FLAGS} -Wall -Wextra -Werror)
target_link_options(encoder_fuzz PRIVATE ${FUZZ_FLAGS})

enable_testing()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/corpus)
add_test(NAME encoder_fuzz
         COMMAND encoder_fuzz -max_total_time=${TESSALY_FUZZ_SECONDS} -print_final_stats=1 -max_len=4096
                 ${CMAKE_BINARY_DIR}/corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus)
