# Host benchmarks: memory of a whole run against the fake Windows, and the
# encoder's throughput against OpenSSL. They print figures; bench/run.sh
# gathers them with the Windows ones.

find_package(OpenSSL REQUIRED COMPONENTS Crypto)

add_executable(memory_bench bench/MemoryBench.cpp)
target_link_libraries(memory_bench PRIVATE tessaly_logic)

add_executable(encoder_bench bench/EncoderBench.cpp source_info/CBase64Codec.cpp framework/AfxAlloc.cpp
                             framework/AtlThrow.cpp tests/fake/FakeWindows.cpp)
target_include_directories(encoder_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(encoder_bench PRIVATE OpenSSL::Crypto)
