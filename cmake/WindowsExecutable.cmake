# TessalySetup.exe: a static PE32 GUI executable that imports only system DLLs,
# with the installer package and its other resources compiled in.
#
# Build parameters:
#   TESSALY_REFERRER  the referring page (host name and path, no scheme) that
#                     the install-source text names
#   TESSALY_PACKAGE   an installer package to carry instead of the one built
#                     from res/package
#   TESSALY_SIGN_CERT, TESSALY_SIGN_KEY, TESSALY_SIGN_PASSWORD_FILE
#                     a PEM certificate, its PEM key and a file holding the
#                     key's password: when given, the package and the
#                     executable are signed

set(TESSALY_REFERRER "www.velstrom.test/freeware/download/tessaly" CACHE STRING
    "Referring page named by the install-source text: host name and path, without a scheme")
set(TESSALY_PACKAGE "" CACHE FILEPATH "Installer package to carry instead of the one built from res/package")
set(TESSALY_SIGN_CERT "" CACHE FILEPATH "PEM certificate to sign the package and the executable with")
set(TESSALY_SIGN_KEY "" CACHE FILEPATH "PEM private key of the signing certificate")
set(TESSALY_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the password of the signing key, if it has one")
set(TESSALY_PYTHON /usr/bin/python3 CACHE FILEPATH "Debian's Python, which has the modules the resource tools use")

find_program(WIXL wixl REQUIRED)
find_program(WINDRES NAMES ${CMAKE_RC_COMPILER} i686-w64-mingw32-windres REQUIRED)

set(RES_DIR ${CMAKE_SOURCE_DIR}/res)
set(GEN_DIR ${CMAKE_BINARY_DIR}/res)
set(TOOLS_DIR ${CMAKE_SOURCE_DIR}/tools)
set(EXECUTABLE ${CMAKE_BINARY_DIR}/TessalySetup.exe)
set(PACKAGE ${GEN_DIR}/VelstromTessaly.msi)
set(INSTALL_SOURCE ${GEN_DIR}/InstallSource.k7r)
file(MAKE_DIRECTORY ${GEN_DIR})

# Stops the configuration over a bad build parameter. What a previous build
# made from other values is removed first, so that nothing built from them can
# be taken for this configuration's output.
function(refuse_parameter message)
    file(REMOVE ${EXECUTABLE} ${INSTALL_SOURCE} ${PACKAGE})
    message(FATAL_ERROR "${message}")
endfunction()

# Runs a tool that checks a build parameter; refuses it with the tool's message.
function(run_parameter_tool)
    execute_process(COMMAND ${TESSALY_PYTHON} ${ARGN} RESULT_VARIABLE result ERROR_VARIABLE message)
    if(NOT result EQUAL 0)
        string(STRIP "${message}" message)
        refuse_parameter("${message}")
    endif()
endfunction()

run_parameter_tool(${TOOLS_DIR}/make_install_source.py ${TESSALY_REFERRER} ${INSTALL_SOURCE})

# Signing, when a certificate is given: the package before it is embedded (the
# installer's prompt shows the package's own signature), then the executable.
set(SIGNING OFF)
if(TESSALY_SIGN_CERT)
    set(SIGNING ON)
    foreach(file TESSALY_SIGN_CERT TESSALY_SIGN_KEY)
        if(NOT EXISTS "${${file}}")
            refuse_parameter("${file} is '${${file}}', which does not exist")
        endif()
    endforeach()
    set(SIGNING_ARGS ${TESSALY_SIGN_CERT} ${TESSALY_SIGN_KEY} "${TESSALY_SIGN_PASSWORD_FILE}")
endif()

include(cmake/Package.cmake)

add_custom_command(
    OUTPUT ${GEN_DIR}/TessalySetup.ico
    COMMAND ${TESSALY_PYTHON} ${TOOLS_DIR}/make_icon.py ${GEN_DIR}/TessalySetup.ico
    DEPENDS ${TOOLS_DIR}/make_icon.py
    COMMENT "Drawing the icon"
    VERBATIM)

set(RES_OBJECT ${CMAKE_BINARY_DIR}/TessalySetup.res.o)
add_custom_command(
    OUTPUT ${RES_OBJECT}
    COMMAND ${WINDRES} -O coff -I ${GEN_DIR} -I ${RES_DIR} -i ${RES_DIR}/TessalySetup.rc -o ${RES_OBJECT}
    DEPENDS ${RES_DIR}/TessalySetup.rc ${RES_DIR}/TessalySetup.manifest ${PACKAGE} ${INSTALL_SOURCE}
            ${GEN_DIR}/TessalySetup.ico
    COMMENT "Compiling the resources"
    VERBATIM)

# The target is not called TessalySetup: CMake would take a dependency on the
# file TessalySetup.exe for one on the target.
add_executable(bootstrapper WIN32 ${PRODUCT_SOURCES} framework/WinMain_win.cpp framework/TerminateHandler_win.cpp
                            platform/DelayLoadHook_win.cpp
                            ${RES_OBJECT})
if(SIGNING)
    # The linker's output has a name of its own, so that TessalySetup.exe only
    # ever exists signed.
    set_target_properties(bootstrapper PROPERTIES OUTPUT_NAME TessalySetup-unsigned)
    add_custom_command(
        OUTPUT ${EXECUTABLE}
        COMMAND ${TOOLS_DIR}/sign.sh ${SIGNING_ARGS} $<TARGET_FILE:bootstrapper> ${EXECUTABLE}
        DEPENDS bootstrapper ${TOOLS_DIR}/sign.sh
        COMMENT "Signing TessalySetup.exe"
        VERBATIM)
    add_custom_target(signed_bootstrapper ALL DEPENDS ${EXECUTABLE})
else()
    set_target_properties(bootstrapper PROPERTIES OUTPUT_NAME TessalySetup)
endif()
target_include_directories(bootstrapper PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(bootstrapper PRIVATE -Os -ffunction-sections -fdata-sections -Wall -Wextra -Werror
                                            -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
target_link_options(bootstrapper PRIVATE -static -static-libgcc -static-libstdc++ -s -Wl,--gc-sections
                                         -Wl,--no-insert-timestamp)
# Only KERNEL32 and the C runtime are bound at start-up. ADVAPI32 and SHELL32
# are bound at their first call, once the DLL search is confined
# (platform/DelayLoadHook_win.cpp), through delay-load import libraries made
# from the lists of the functions that the executable calls.
find_program(DLLTOOL i686-w64-mingw32-dlltool REQUIRED)
set(DELAY_IMPORT_LIBRARIES)
set(DELAY_IMPORT_STUBS)
foreach(dll advapi32 shell32)
    set(library ${CMAKE_BINARY_DIR}/lib${dll}_delay.a)
    add_custom_command(
        OUTPUT ${library}
        COMMAND ${DLLTOOL} --kill-at --input-def ${CMAKE_SOURCE_DIR}/platform/${dll}.def --output-delaylib ${library}
        DEPENDS ${CMAKE_SOURCE_DIR}/platform/${dll}.def
        VERBATIM)
    list(APPEND DELAY_IMPORT_LIBRARIES ${library})
    # The delay-load pointer of a function starts out pointing into the
    # function's stub in the library, which ld drops when the code only calls
    # through the pointer: naming the stubs keeps them.
    file(STRINGS ${CMAKE_SOURCE_DIR}/platform/${dll}.def functions REGEX "^[A-Za-z]+@[0-9]+$")
    foreach(function ${functions})
        list(APPEND DELAY_IMPORT_STUBS -Wl,--undefined=_${function})
    endforeach()
endforeach()
add_custom_target(delay_import_libraries DEPENDS ${DELAY_IMPORT_LIBRARIES})

function(bind_system_dlls_after_start_up target)
    add_dependencies(${target} delay_import_libraries)
    target_link_libraries(${target} PRIVATE ${DELAY_IMPORT_LIBRARIES})
    target_link_options(${target} PRIVATE ${DELAY_IMPORT_STUBS})
endfunction()
bind_system_dlls_after_start_up(bootstrapper)

# Tests of the built executable, run by CTest in this build folder.
enable_testing()

# The run-time benchmark's baselines: a program that returns at once, and one
# that only asks the shell to open the package.
add_executable(noop WIN32 bench/Noop.cpp)
add_executable(shell_only WIN32 bench/ShellOnly.cpp)
foreach(baseline noop shell_only)
    target_compile_options(${baseline} PRIVATE -Os)
    target_link_options(${baseline} PRIVATE -static -s)
endforeach()
target_link_libraries(shell_only PRIVATE shell32)

# A program that holds a file open, for the scenarios under Wine.
add_executable(HoldFile tests/e2e/HoldFile.cpp)
target_link_options(HoldFile PRIVATE -static -static-libgcc -static-libstdc++)

# A DLL to plant under the names of system DLLs, for the scenario under Wine.
add_library(PlantedDll SHARED tests/e2e/PlantedDll.cpp)
set_target_properties(PlantedDll PROPERTIES PREFIX "")
target_compile_options(PlantedDll PRIVATE -Os -fno-exceptions)
target_link_options(PlantedDll PRIVATE -nostdlib -s -Wl,-e,_DllMain@12)
target_link_libraries(PlantedDll PRIVATE kernel32)

# A program that binds ADVAPI32 as the bootstrapper does where the DLL search
# cannot be confined, for the same scenario.
add_executable(unconfined_binding WIN32 tests/e2e/UnconfinedBinding.cpp platform/DllSearchPath.cpp
                                        platform/DelayLoadHook_win.cpp)
target_include_directories(unconfined_binding PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(unconfined_binding PRIVATE -static -static-libgcc -static-libstdc++ -s)
bind_system_dlls_after_start_up(unconfined_binding)

set(TEST_ENV
    "TESSALY_EXE=${EXECUTABLE}"
    "TESSALY_PACKAGE=${PACKAGE}"
    "TESSALY_INSTALL_SOURCE=${INSTALL_SOURCE}"
    "TESSALY_REFERRER=${TESSALY_REFERRER}"
    "TESSALY_PYTHON=${TESSALY_PYTHON}"
    "TESSALY_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    "HOLD_FILE_EXE=$<TARGET_FILE:HoldFile>"
    "PLANTED_DLL=$<TARGET_FILE:PlantedDll>"
    "CONTROL_EXE=$<TARGET_FILE:shell_only>"
    "UNCONFINED_EXE=$<TARGET_FILE:unconfined_binding>"
    "NOOP_EXE=$<TARGET_FILE:noop>"
    "WINE_TEMPLATE=${CMAKE_BINARY_DIR}/wine-template")

add_test(NAME resources COMMAND ${TESSALY_PYTHON} ${CMAKE_SOURCE_DIR}/tests/resources/check_resources.py)
add_test(NAME build_parameters COMMAND ${CMAKE_SOURCE_DIR}/tests/resources/build_parameters.sh)
set_tests_properties(resources build_parameters PROPERTIES ENVIRONMENT "${TEST_ENV}")

foreach(release reproducible signing)
    add_test(NAME release_${release} COMMAND ${CMAKE_SOURCE_DIR}/tests/release/${release}.sh)
    set_tests_properties(release_${release} PROPERTIES ENVIRONMENT "${TEST_ENV}")
endforeach()
set_tests_properties(release_signing PROPERTIES FIXTURES_REQUIRED wine)

add_test(NAME wine32_check COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/wine32_check.sh)
add_test(NAME wine_template COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/make_template.sh)
set_tests_properties(wine_template PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${TEST_ENV}")
foreach(scenario installs_package records_install_source hardening replaces_old_package locked_package
                 missing_temp_folder unusual_temp_folder unspellable_temp_folder read_only_folder planted_dlls)
    add_test(NAME e2e_${scenario} COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/${scenario}.sh)
    # A scenario that hangs fails, with time to spare where Wine's 32-bit side is emulated.
    set_tests_properties(e2e_${scenario} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${TEST_ENV}" TIMEOUT 600)
endforeach()
