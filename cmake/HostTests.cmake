# The product's logic built for the host against the fake Windows, with the
# GoogleTest unit tests.

option(TESSALY_SANITIZE "Build with AddressSanitizer (leak checking included) and UndefinedBehaviorSanitizer" OFF)
if(TESSALY_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

find_package(GTest REQUIRED)
enable_testing()

set(WARNINGS -Wall -Wextra -Werror)

add_library(tessaly_logic OBJECT ${PRODUCT_SOURCES} tests/fake/FakeWindows.cpp)
target_include_directories(tessaly_logic PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(tessaly_logic PRIVATE ${WARNINGS})

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_compile_options(unit_tests PRIVATE ${WARNINGS})
target_link_libraries(unit_tests PRIVATE tessaly_logic GTest::gtest GTest::gtest_main)

include(GoogleTest)
gtest_discover_tests(unit_tests PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0")

option(TESSALY_BENCH "Build the host benchmarks too" OFF)
if(TESSALY_BENCH)
    include(cmake/Benchmarks.cmake)
endif()
